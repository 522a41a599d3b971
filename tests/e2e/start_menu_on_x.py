#!/usr/bin/env python3
"""Runs a copy of the built bundle on a virtual X server with a tray host and drives it with
xdotool, as a person would: the tray icon and the window, the eight tools, the power menu, a
second copy, Quit. Every wait polls the X server against a deadline. Exit status 77: skipped."""

import argparse
import collections
import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
SCREEN = (1280, 800)

# The start-menu view in X coordinates (y down) from its top-left corner.
VIEW = (640, 560)
# Each tool, once it is built, turns its flag on here and opens and closes one of its dialogs in
# drive(), as the power menu does.
TOOLS = [  # identifier, whether its pane shows something yet
    ("Applications", True), ("TaskManager", True), ("Cleanup", True), ("AppUininstaller", True),
    ("SwitchManager", False), ("StartupItems", False), ("DiskManager", False), ("QuickVisit", False),
]
CLOSE_LIGHT = (22, 16)
POWER_MENU_BUTTON = (147, 528)
PANE = (220, 20, 400, 520)  # the tab view, a little inside its edges: x, y, width, height
TOOL_COLUMN = (14, 156, 186, 298)
# Cleanup: the Clean link in its pane, and the Downloads cleaner's view with its close light.
CLEAN_LINK = (564, 82)
CLEANER_VIEW = (560, 440)
CLEANER_CLOSE = (21, 19)
# App Uninstaller: the first row's check box, the count label, Uninstall, and the related-files
# window's view with its Cancel button.
UNINSTALL_FIRST_BOX = (246, 88)
UNINSTALL_COUNT = (260, 506, 240, 22)
UNINSTALL_BUTTON = (564, 520)
RELATED_VIEW = (560, 400)
RELATED_CANCEL = (388, 371)


def tool_button(index):
    return (107, 172 + 38 * index)


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=10.0):
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.05)


def die_with_parent():
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG: nothing outlives a killed driver


class Session:
    """The processes the test starts, each ended by its own id, and the tools that look at the screen."""

    def __init__(self, root):
        self.root = root
        self.processes = []
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "HOME": f"{root}/home",
            "XDG_CONFIG_HOME": f"{root}/home/.config",
            "XDG_DATA_HOME": f"{root}/home/.local/share",
            "XDG_CACHE_HOME": f"{root}/home/.cache",
            "XDG_STATE_HOME": f"{root}/home/.local/state",
            "XDG_RUNTIME_DIR": f"{root}/runtime",
            "TMPDIR": f"{root}/tmp",
            "TAVRIN_ROOT": f"{root}/mac",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if name in os.environ:
                self.env[name] = os.environ[name]
        for name in ("HOME", "XDG_RUNTIME_DIR", "TMPDIR"):
            os.makedirs(self.env[name], mode=0o700)
        # An application bundle of no system's for the uninstaller to list; nothing runs it.
        os.makedirs(f"{root}/mac/Applications/Sample Notes.app/Contents")
        with open(f"{root}/mac/Applications/Sample Notes.app/Contents/Info.plist", "w") as f:
            f.write('<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>'
                    '<key>CFBundleIdentifier</key><string>com.example.samplenotes</string>'
                    '<key>CFBundleName</key><string>Sample Notes</string></dict></plist>\n')
        # A Downloads folder with something in it, for Cleanup to scan.
        os.makedirs(f"{root}/home/Downloads/album")
        for name, size in (("notes.txt", 2000), ("album/photo.jpg", 90000)):
            with open(f"{root}/home/Downloads/{name}", "wb") as f:
                f.write(b"x" * size)

    def start(self, argv, **kwargs):
        process = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL, preexec_fn=die_with_parent,
                                   **kwargs)
        self.processes.append(process)
        return process

    def stop_all(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True).stdout

    def visible_windows(self, pid):
        """Id and geometry (x, y, width, height) of each mapped window of the process."""
        found = {}
        for wid in self.xdotool("search", "--onlyvisible", "--pid", str(pid)).split():
            shell = dict(re.findall(r"(\w+)=(-?\d+)", self.xdotool("getwindowgeometry", "--shell", wid)))
            if {"X", "Y", "WIDTH", "HEIGHT"} <= shell.keys():
                found[wid] = tuple(int(shell[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        return found

    def click(self, point, button=1):
        self.xdotool("mousemove", "--sync", str(point[0]), str(point[1]), "click", str(button))

    def grab(self):
        return subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env,
                              capture_output=True, check=True).stdout

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)


def crop(screen, rect):
    x, y, w, h = rect
    stride = SCREEN[0] * 3
    return b"".join(screen[(y + r) * stride + x * 3:(y + r) * stride + (x + w) * 3] for r in range(h))


def is_plain(pixels):
    """Whether nearly every pixel has one colour: an empty pane, a view not drawn yet."""
    counts = collections.Counter(pixels[i:i + 3] for i in range(0, len(pixels), 3))
    return counts.most_common(1)[0][1] >= 0.99 * (len(pixels) // 3)


def start_x_server(session):
    """The display name of a fresh Xvfb, or None when no X server can start."""
    if not shutil.which("Xvfb"):
        return None
    reader, writer = os.pipe()
    # No reset when the last client leaves: a client connecting meanwhile would be refused.
    with open(f"{session.root}/xvfb.log", "wb") as log:
        session.start(["Xvfb", "-displayfd", str(writer), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                       "-nolisten", "tcp", "-noreset"], pass_fds=(writer,), stdout=log, stderr=log)
    os.close(writer)
    # The number and its newline come in two writes; the server dies if the pipe closes between.
    answer, deadline = b"", time.monotonic() + 15
    while not answer.endswith(b"\n") and select.select([reader], [], [], max(0, deadline - time.monotonic()))[0]:
        chunk = os.read(reader, 32)
        if not chunk:
            break
        answer += chunk
    os.close(reader)
    number = answer.decode().strip()
    return f":{number}" if answer.endswith(b"\n") and number.isdigit() else None


def tray_owned(display):
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XGetSelectionOwner.restype = ctypes.c_ulong
    x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        return False
    selection = x11.XInternAtom(connection, b"_NET_SYSTEM_TRAY_S0", 0)
    owner = x11.XGetSelectionOwner(connection, selection)
    x11.XCloseDisplay(connection)
    return owner != 0


class StartMenu:
    """The running program as the screen shows it."""

    def __init__(self, session, process, tray_host):
        self.session = session
        self.process = process
        self.tray_host = tray_host

    def window(self):
        """The start-menu window's geometry, if it is on the screen."""
        for geometry in self.session.visible_windows(self.process.pid).values():
            if geometry[2] >= VIEW[0] and geometry[3] >= VIEW[1]:
                return geometry
        return None

    def view_origin(self):
        # The view sits at the window's bottom, as far from its bottom edge as from its sides;
        # the arrow's strip is above it.
        x, y, w, h = wait_for("the start-menu window", self.window)
        margin = (w - VIEW[0]) // 2
        return x + margin, y + h - margin - VIEW[1]

    def at(self, point):
        x, y = self.view_origin()
        return x + point[0], y + point[1]

    def region(self, rect):
        x, y = self.view_origin()
        return crop(self.session.grab(), (x + rect[0], y + rect[1], rect[2], rect[3]))

    def tray_icon(self):
        """The centre of the program's icon inside the tray host's panel, once it is there."""
        panels = self.session.visible_windows(self.tray_host.pid).values()
        for x, y, w, h in self.session.visible_windows(self.process.pid).values():
            cx, cy = x + w // 2, y + h // 2
            if any(px <= cx < px + pw and py <= cy < py + ph for px, py, pw, ph in panels):
                return cx, cy
        return None

    def popup_after(self, action, what):
        """Does the action and waits for a new window of the program to be drawn (by then it has
        taken the keyboard, as pop-ups do); returns its id."""
        def new_window():
            return next(iter(self.session.visible_windows(self.process.pid).keys() - before), None)

        def drawn():
            geometry = self.session.visible_windows(self.process.pid).get(popup)
            return geometry and not is_plain(crop(self.session.grab(), geometry))

        before = set(self.session.visible_windows(self.process.pid))
        action()
        popup = wait_for(what, new_window)
        wait_for(f"{what} to be drawn", drawn)
        return popup

    def view_in(self, wid, view, point):
        """A point of a pop-up's view, which sits in its window as the start menu's does."""
        x, y, w, h = self.session.visible_windows(self.process.pid)[wid]
        margin = (w - view[0]) // 2
        return x + margin + point[0], y + h - margin - view[1] + point[1]

    def gone(self, wid):
        return wid not in self.session.visible_windows(self.process.pid)


def drive(session, menu, shots, start_copy):
    step = [0]

    def shot(name):
        step[0] += 1
        session.screenshot(f"{shots}/{step[0]:02d}-{name}.png")

    # Start-up: the window opens, drawn, and the icon sits in the tray.
    wait_for("the start-menu window at start-up", menu.window, timeout=30)
    wait_for("the window to be drawn", lambda: not is_plain(menu.region((0, 0) + VIEW)))
    icon = wait_for("the tray icon", menu.tray_icon)
    shot("start-up")

    # A click on the icon while the window is visible keeps it. The first tool click is handled
    # after it (one connection, events in order), so once that shows, the icon's click is done.
    session.click(icon)
    columns = {}
    previous_column = menu.region(TOOL_COLUMN)
    for index, (tool, shows_something) in enumerate(TOOLS):
        session.click(menu.at(tool_button(index)))
        wait_for(f"the {tool} button to be chosen", lambda: menu.region(TOOL_COLUMN) != previous_column)
        if index == 0:
            if not menu.window():
                raise Failure("a click on the tray icon hid the visible window")
            shot("tray-click-keeps-window")
        if shows_something:
            wait_for(f"the {tool} pane to show something", lambda: not is_plain(menu.region(PANE)))
        else:
            wait_for(f"the {tool} pane to be empty", lambda: is_plain(menu.region(PANE)))
        previous_column = columns[tool] = menu.region(TOOL_COLUMN)
        shot(f"tool-{tool}")
        if tool == "Cleanup":
            # Clean scans the Downloads folder in a modal window; its close light ends it.
            cleaner = menu.popup_after(lambda: session.click(menu.at(CLEAN_LINK)), "the Downloads cleaner")
            shot("cleanup-downloads-cleaner")
            session.click(menu.view_in(cleaner, CLEANER_VIEW, CLEANER_CLOSE))
            wait_for("the Downloads cleaner to close", lambda: menu.gone(cleaner))
        if tool == "AppUininstaller":
            # Tick the first application (a check box starts nothing), then Uninstall shows its
            # related files in a modal window, which Cancel closes without removing anything.
            untouched = menu.region(UNINSTALL_COUNT)

            def ticked():
                if menu.region(UNINSTALL_COUNT) == untouched:
                    session.click(menu.at(UNINSTALL_FIRST_BOX))  # ignored while the scan runs
                    time.sleep(0.5)
                return menu.region(UNINSTALL_COUNT) != untouched
            wait_for("the first application to be ticked", ticked)
            related = menu.popup_after(lambda: session.click(menu.at(UNINSTALL_BUTTON)), "the related-files window")
            shot("uninstaller-related-files")
            session.click(menu.view_in(related, RELATED_VIEW, RELATED_CANCEL))
            wait_for("the related-files window to close", lambda: menu.gone(related))

    # The power menu opens and closes.
    popup = menu.popup_after(lambda: session.click(menu.at(POWER_MENU_BUTTON)), "the power menu")
    shot("power-menu")
    session.xdotool("key", "Escape")
    wait_for("the power menu to close", lambda: menu.gone(popup))

    # The close light hides the window; the icon rebuilds it on the last chosen tool.
    last_tool = TOOLS[-1][0]
    session.click(menu.at(CLOSE_LIGHT))
    wait_for("the close light to hide the window", lambda: not menu.window())
    shot("close-light-hides-window")
    session.click(icon)
    wait_for(f"the window rebuilt on {last_tool}",
             lambda: menu.window() and menu.region(TOOL_COLUMN) == columns[last_tool])
    shot(f"tray-click-rebuilds-on-{last_tool}")

    # A second copy exits at once with status 0 and brings the first to the front.
    session.click(menu.at(CLOSE_LIGHT))
    wait_for("the close light to hide the window", lambda: not menu.window())
    second = start_copy("second")
    try:
        status = second.wait(30)
    except subprocess.TimeoutExpired:
        raise Failure("the second copy did not exit")
    if status != 0:
        raise Failure(f"the second copy exited with status {status}")
    wait_for("the first copy's window to come to the front", menu.window)
    shot("second-copy-brings-first-to-front")

    # Quit from the tray's menu ends the program with status 0.
    menu.popup_after(lambda: session.click(icon, button=3), "the tray menu")
    shot("tray-menu")
    session.xdotool("key", "Up", "Return")  # the last item: Quit Tavrin
    try:
        status = menu.process.wait(20)
    except subprocess.TimeoutExpired:
        raise Failure("Quit from the tray menu did not end the program")
    if status != 0:
        raise Failure(f"the program ended with status {status} after Quit")


def unexpected_lines(paths, expected_file):
    with open(expected_file) as f:
        patterns = [re.compile(line.rstrip("\n")) for line in f if line.strip() and not line.startswith("#")]
    lines = []
    for path in paths:
        with open(path, errors="replace") as f:
            lines += [line.rstrip("\n") for line in f if line.strip()]
    return [line for line in lines if not any(p.search(line) for p in patterns)]


def run(args, session, stderr_files):
    """The whole test on a fresh X server; the exit status."""
    required = os.environ.get("TAVRIN_E2E_REQUIRED") == "1"
    display = start_x_server(session)
    if not display:
        reason = "no X server could start (is Xvfb installed?)"
        print(f"FAILED: {reason}, and TAVRIN_E2E_REQUIRED=1" if required else f"SKIPPED: {reason}")
        return 1 if required else SKIPPED
    session.env["DISPLAY"] = display
    tray_host = session.start(["trayer", "--edge", "top", "--align", "right", "--height", "24",
                               "--widthtype", "request"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the tray host to own the system tray", lambda: tray_owned(display))

    bundle = shutil.copytree(args.bundle, f"{session.root}/Tavrin.app", symlinks=True)
    session.env["QT_QPA_PLATFORM"] = "xcb"  # and no DBUS_SESSION_BUS_ADDRESS: the XEmbed tray

    def start_copy(name):
        stderr_files.append(f"{session.root}/{name}.stderr")
        with open(stderr_files[-1], "wb") as err:
            return session.start([f"{bundle}/Contents/MacOS/Tavrin"], stdout=subprocess.DEVNULL, stderr=err)

    drive(session, StartMenu(session, start_copy("first"), tray_host), args.screenshots, start_copy)
    unexpected = unexpected_lines(stderr_files, args.expected_stderr)
    if unexpected:
        raise Failure("unexpected lines on standard error:\n" + "\n".join(unexpected))
    print(f"passed; screenshots in {args.screenshots}")
    return 0


def main():
    parser = argparse.ArgumentParser()
    for option in ("--bundle", "--screenshots", "--expected-stderr", "--leak-suppressions"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    shutil.rmtree(args.screenshots, ignore_errors=True)
    os.makedirs(args.screenshots)
    session = Session(tempfile.mkdtemp(prefix="tavrin-e2e-"))
    leaks = [session.env.get("LSAN_OPTIONS"), f"suppressions={args.leak_suppressions}", "print_suppressions=0"]
    session.env["LSAN_OPTIONS"] = ":".join(filter(None, leaks))
    stderr_files = []
    try:
        return run(args, session, stderr_files)
    except Failure as failure:
        session.screenshot(f"{args.screenshots}/failure.png")
        print(f"FAILED: {failure}")
        for path in stderr_files:
            with open(path, errors="replace") as f:
                print(f"--- {os.path.basename(path)}:\n{f.read()}")
        return 1
    finally:
        session.stop_all()
        shutil.rmtree(session.root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
