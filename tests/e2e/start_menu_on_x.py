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
    ("SwitchManager", True), ("StartupItems", True), ("DiskManager", True), ("QuickVisit", True)]
CLOSE_LIGHT = (22, 16)
MINIMISE_LIGHT = (40, 16)
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
# Applications and App Uninstaller: the search field of either, each list's first two rows, a
# point of the Applications' first; the related-files window's Uninstall, the progress window's
# view and its OK button (x, y, width, height: it shows at the end).
APP_SEARCH, APPLICATIONS_FIRST_ROW_POINT, APPLICATIONS_FIRST_OPEN_LINK = (420, 42), (378, 92), (554, 95)
# The Task Manager's rows (40 high, each icon 4 points in) and its "Selected: 0 / N Tasks" label.
TASK_LIST, TASK_ICON_X, TASK_SELECTION = (228, 108, 384, 384), 232, (228, 508, 280, 22)
GENERIC_APPLICATION = (0x5b, 0x7b, 0xd5)  # the program's own application picture
APPLICATIONS_ROWS = ((232, 72, 280, 40), (232, 120, 280, 40))
UNINSTALL_ROWS = ((232, 72, 280, 32), (232, 112, 280, 32))
RELATED_UNINSTALL, PROGRESS_VIEW, PROGRESS_OK = (496, 371), (560, 180), (440, 134, 96, 30)
# The volume button under the tool column.
SOUND_BUTTON = (74, 484)
# Startup Items: the first row's icon and name, and the first three rows'.
STARTUP_FIRST_ROW = (236, 34, 200, 32)
STARTUP_ROWS = (236, 34, 200, 120)
STARTUP_ADD_BUTTON = (546, 515)
STARTUP_ROW_HEIGHT, STARTUP_REMOVE_LINK = 44, (558, 51)  # the first row's Remove link
# Switch Manager: the Show Hidden Files switch.
HIDDEN_FILES_SWITCH = (574, 148)
HIDDEN_FILES_SWITCH_IMAGE = (558, 140, 32, 16)
# The About box's view and its Close button.
ABOUT_VIEW = (340, 266)
ABOUT_CLOSE = (170, 235)
# Disk Manager: a column of pixels across the volume boxes (x, top, height), the boxes' colour,
# the Format button, and the format confirmation's view with its Cancel button.
DISK_CARD_COLUMN = (594, 24, 468)
DISK_CARD = bytes((247, 248, 255))
DISK_FORMAT_BUTTON = (420, 518)
FORMAT_VIEW = (360, 200)
FORMAT_CANCEL = (206, 174)
# The confirmation's type button, the chooser's ExFAT row that drops from it, Continue, and the
# end dialog's view with its OK button.
FORMAT_TYPE_BUTTON = (212, 139)
FORMAT_CHOOSER_EXFAT = (280, 48)
FORMAT_CONTINUE = (298, 174)
FORMAT_END_VIEW = (320, 150)
FORMAT_END_OK = (160, 120)
# The Mount/Unmount and Rename buttons; in a volume box (from its left edge), the rename field
# and its Save button.
DISK_MOUNT_BUTTON, DISK_MOUNT_TITLE, DISK_RENAME_BUTTON = (346, 518), (316, 508, 60, 20), (502, 518)
BOX_RENAME_FIELD, BOX_RENAME_SAVE = 122, 239

class Failure(Exception):
    pass

def wait_for(what, probe, timeout=10.0):
    deadline = time.monotonic() + timeout
    while not (value := probe()):
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.05)
    return value

def die_with_parent():
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG: nothing outlives a killed driver

def write(path, text, mode=0o644):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, mode)

# Below the simulated home: the files that go with "Tally Sheet", then those that stay (Ledger's,
# whose identifier is longer, and an unrelated one).
TALLY_SHEET_FILES = ["Preferences/com.example.tallysheet.plist", "Caches/com.example.tallysheet/c.db",
                     "Application Support/Tally Sheet/sheets.db"]
OTHER_FILES = ["Preferences/com.example.tallysheet.ledger.plist", "Preferences/org.example.other.plist"]

def prepare_application_fixtures(session):
    """A desktop application whose program leaves a marker beside itself; the simulated
    applications "Tally Sheet" and "Ledger" with their files."""
    import pwd
    session.mac_library = f"{session.root}/mac/Users/{pwd.getpwuid(os.getuid()).pw_name}/Library"
    write(f"{session.root}/bin/marker-maker", '#!/bin/sh\ntouch "$0.started"\n', 0o755)
    # An application that runs until it is stopped, whose icon no theme has, and a program that
    # asks for a terminal, with a stand-in terminal first on PATH that records what it was asked.
    shutil.copy("/bin/sleep", f"{session.root}/bin/tavrin-e2e-lister")
    write(f"{session.env['XDG_DATA_HOME']}/applications/tavrin-e2e-lister.desktop",
          "[Desktop Entry]\nType=Application\nName=Row Lister\nIcon=tavrin-e2e-no-such-icon\n"
          f"Exec={session.root}/bin/tavrin-e2e-lister 600\n")
    write(f"{session.root}/bin/terminal-tool", "#!/bin/sh\n", 0o755)
    write(f"{session.env['XDG_DATA_HOME']}/applications/tavrin-terminal-tool.desktop",
          "[Desktop Entry]\nType=Application\nName=Terminal Tool\nTerminal=true\n"
          f'Exec={session.root}/bin/terminal-tool "two words" $(id)\n')
    write(f"{session.root}/terminal-bin/x-terminal-emulator", '#!/bin/sh\nprintf "%s\\n" "$@" > "$0.args"\n', 0o755)
    session.env["PATH"] = f"{session.root}/terminal-bin:{session.env['PATH']}"
    write(f"{session.env['XDG_DATA_HOME']}/applications/tavrin-marker-maker.desktop",
          f"[Desktop Entry]\nType=Application\nName=Marker Maker\nExec={session.root}/bin/marker-maker\n")
    # A simulated application that names a desktop entry of this machine, as Terminal does.
    write(f"{session.root}/mac/Applications/Marker Bundle.app/Contents/Info.plist",
          '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict><key>TavrinDesktopEntries</key>'
          "<array><string>tavrin-marker-maker.desktop</string></array></dict></plist>\n")
    for name, identifier in (("Tally Sheet", "com.example.tallysheet"), ("Ledger", "com.example.tallysheet.ledger")):
        write(f"{session.root}/mac/Applications/{name}.app/Contents/Info.plist",
              f'<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict><key>CFBundleIdentifier</key>'
              f"<string>{identifier}</string><key>CFBundleName</key><string>{name}</string></dict></plist>\n")
    for path in TALLY_SHEET_FILES + OTHER_FILES:
        write(f"{session.mac_library}/{path}", "data\n")

def search(session, menu, text, rows):
    """Types into the tab's search field until only the first of the two rows shows (the field
    takes nothing while the tab's scan runs)."""
    for attempt in range(20):
        session.click(menu.at(APP_SEARCH))
        session.xdotool("key", "ctrl+a", "type", "--delay", "20", text)
        try:
            return wait_for(f"the search for {text!r}", lambda: not is_plain(menu.region(rows[0]))
                            and is_plain(menu.region(rows[1])), 1.0)
        except Failure:
            if attempt == 19:
                raise

def start_application_from_row(session, menu, shot):
    """A click on a desktop application's row starts its program, as its Open link does."""
    search(session, menu, "Marker Maker", APPLICATIONS_ROWS)
    session.click(menu.at(APPLICATIONS_FIRST_ROW_POINT))
    wait_for("the application to start", lambda: os.path.exists(f"{session.root}/bin/marker-maker.started"))
    shot("applications-row-starts-application")

def start_bundle_from_open_link(session, menu, shot):
    """The Open link of a simulated application that names a desktop entry starts that entry's
    program, as a click on its row does."""
    marker = f"{session.root}/bin/marker-maker.started"
    os.remove(marker)
    search(session, menu, "Marker Bundle", APPLICATIONS_ROWS)
    session.click(menu.at(APPLICATIONS_FIRST_OPEN_LINK))
    wait_for("the bundle's program to start", lambda: os.path.exists(marker))
    shot("applications-open-link-starts-bundle")

def start_terminal_program_from_row(session, menu, shot):
    """A Terminal=true entry starts inside the user's terminal, from an argument vector."""
    search(session, menu, "Terminal Tool", APPLICATIONS_ROWS)
    session.click(menu.at(APPLICATIONS_FIRST_ROW_POINT))
    args = f"{session.root}/terminal-bin/x-terminal-emulator.args"
    wait_for("the terminal to be started", lambda: os.path.exists(args))
    shot("applications-terminal-program")
    with open(args) as f:
        asked = f.read().split("\n")[:-1]
    if asked != ["-e", f"{session.root}/bin/terminal-tool", "two words", "$(id)"]:
        raise Failure(f"the terminal was asked to run {asked}")

def task_manager_lists_a_started_application(session, menu, shot):
    """With no declared desktop, an application started now joins the Task Manager's rows, and
    its row has an icon: its entry names one that no theme has, so the program's own picture."""
    label = menu.region(TASK_SELECTION)
    session.start([f"{session.root}/bin/tavrin-e2e-lister", "600"])
    wait_for("the started application's row", lambda: menu.region(TASK_SELECTION) != label, 15)
    # The newest row is the last: the list is scrolled to its end.
    session.xdotool("mousemove", *map(str, menu.at((TASK_LIST[0] + 150, TASK_LIST[1] + 150))))
    session.xdotool("click", "--repeat", "40", "--delay", "10", "5")

    def last_icon():
        """The lowest icon of the list's icon column: the 36 lines up to its lowest drawn one."""
        _, top, _, height = TASK_LIST
        strip = crop(session.grab(), menu.at((TASK_ICON_X, top)) + (32, height))
        lines = [strip[96 * y:96 * (y + 1)] for y in range(height)]
        drawn = [y for y, line in enumerate(lines) if len(set(line[i:i + 3] for i in range(0, 96, 3))) > 1]
        return drawn and b"".join(lines[max(0, drawn[-1] - 35):drawn[-1] + 1])
    icon = wait_for("the last row's icon", last_icon)
    if not any(near(icon[i:i + 3], GENERIC_APPLICATION, 8) for i in range(0, len(icon), 3)):
        raise Failure("the started application's row has not its icon")
    shot("task-manager-started-application")

def uninstall_with_related_files(session, menu, shot):
    """Uninstalls "Tally Sheet" with the related files offered; exactly those go."""
    search(session, menu, "tally", UNINSTALL_ROWS)
    untouched = menu.region(UNINSTALL_COUNT)
    session.click(menu.at(UNINSTALL_FIRST_BOX))
    wait_for("Tally Sheet to be ticked", lambda: menu.region(UNINSTALL_COUNT) != untouched)
    related = menu.popup_after(lambda: session.click(menu.at(UNINSTALL_BUTTON)), "the related-files window")
    shot("uninstaller-tally-sheet-related-files")
    progress = menu.popup_after(lambda: session.click(menu.at(RELATED_UNINSTALL, menu.windows()[related], RELATED_VIEW)),
                                "the progress window")
    ok = menu.at(PROGRESS_OK[:2], menu.windows()[progress], PROGRESS_VIEW) + PROGRESS_OK[2:]
    wait_for("the uninstall to end", lambda: not is_plain(crop(session.grab(), ok)))
    shot("uninstaller-tally-sheet-removed")
    session.click((ok[0] + ok[2] // 2, ok[1] + ok[3] // 2))
    wait_for("the progress window to close", lambda: progress not in menu.windows())
    bundle = "../../../Applications/Tally Sheet.app"  # from the Library of the simulated home
    gone = [p for p in [bundle] + TALLY_SHEET_FILES + OTHER_FILES if not os.path.exists(f"{session.mac_library}/{p}")]
    if gone != [bundle] + TALLY_SHEET_FILES:
        raise Failure(f"the uninstall removed {gone}")

class Session:
    """The processes the test starts, each ended by its own id, and the tools that look at the screen."""

    def __init__(self, root):
        self.root, self.processes = root, []
        home = f"{root}/home"
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8", "HOME": home,
                    "XDG_CONFIG_HOME": f"{home}/.config", "XDG_DATA_HOME": f"{home}/.local/share",
                    "XDG_CACHE_HOME": f"{home}/.cache", "XDG_STATE_HOME": f"{home}/.local/state",
                    "XDG_RUNTIME_DIR": f"{root}/runtime", "TMPDIR": f"{root}/tmp", "TAVRIN_ROOT": f"{root}/mac"}
        self.env.update({k: v for k, v in os.environ.items() if k in ("ASAN_OPTIONS", "UBSAN_OPTIONS",
                                                                       "LSAN_OPTIONS")})
        self.env["TAVRIN_REAL_VOLUMES"] = "0"  # diskutil never reaches this machine's devices here
        self.tool_calls = self.env["TAVRIN_TOOL_LOG"] = f"{root}/tool-calls"  # each stand-in's call, a line
        for name in ("HOME", "XDG_RUNTIME_DIR", "TMPDIR"):
            os.makedirs(self.env[name], mode=0o700)
        # An application bundle of no system's for the uninstaller to list; nothing runs it.
        os.makedirs(f"{root}/mac/Applications/Sample Notes.app/Contents")
        with open(f"{root}/mac/Applications/Sample Notes.app/Contents/Info.plist", "w") as f:
            f.write('<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>'
                    '<key>CFBundleIdentifier</key><string>com.example.samplenotes</string>'
                    '<key>CFBundleName</key><string>Sample Notes</string></dict></plist>\n')
        # A Downloads folder with something in it, for Cleanup to scan.
        os.makedirs(f"{home}/Downloads/album")
        for name, size in (("notes.txt", 2000), ("album/photo.jpg", 90000)):
            with open(f"{home}/Downloads/{name}", "wb") as f:
                f.write(b"x" * size)
        # A login item written by another program, for Startup Items to list; no session starts it.
        # The machine's own system-wide autostart folder stays out of the run.
        self.env["XDG_CONFIG_DIRS"] = f"{root}/etc/xdg"
        self.autostart = f"{home}/.config/autostart"
        os.makedirs(self.autostart)
        self.add_login_item("sample-notes", f"{root}/mac/Applications/Sample Notes.app")
        prepare_application_fixtures(self)

    def add_login_item(self, name, path):
        with open(f"{self.autostart}/{name}.desktop", "w") as f:
            f.write(f'[Desktop Entry]\nType=Application\nName={name}\nExec="{path}"\n')

    def start(self, argv, **kwargs):
        self.processes.append(subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL,
                                               preexec_fn=die_with_parent, **kwargs))
        return self.processes[-1]

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
        self.move_to(point)
        self.xdotool("click", str(button))

    def move_to(self, point):
        # A synchronous move to where the pointer already is waits for a motion that never comes.
        where = dict(re.findall(r"(\w+)=(-?\d+)", self.xdotool("getmouselocation", "--shell")))
        if (int(where.get("X", -1)), int(where.get("Y", -1))) != tuple(point):
            self.xdotool("mousemove", "--sync", str(point[0]), str(point[1]))

    def grab(self, path="rgb:-"):
        """The screen as 8-bit RGB bytes, or saved to a file."""
        return subprocess.run(["import", "-window", "root", "-depth", "8", path], env=self.env,
                              capture_output=True, check=True).stdout

def crop(screen, rect):
    x, y, w, h = rect
    stride = SCREEN[0] * 3
    return b"".join(screen[(y + r) * stride + x * 3:(y + r) * stride + (x + w) * 3] for r in range(h))

def near(pixel, colour, tolerance=4):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))

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
        if not (chunk := os.read(reader, 32)):
            break
        answer += chunk
    os.close(reader)
    number = answer.decode().strip()
    return f":{number}" if answer.endswith(b"\n") and number.isdigit() else None

def tray_owned(display):
    return selection_owned(display, b"_NET_SYSTEM_TRAY_S0")

def selection_owned(display, selection):
    x11, c = ctypes.CDLL("libX11.so.6"), ctypes
    for name, result, arguments in (("XOpenDisplay", c.c_void_p, [c.c_char_p]),
                                    ("XInternAtom", c.c_ulong, [c.c_void_p, c.c_char_p, c.c_int]),
                                    ("XGetSelectionOwner", c.c_ulong, [c.c_void_p, c.c_ulong]),
                                    ("XCloseDisplay", c.c_int, [c.c_void_p])):
        getattr(x11, name).restype, getattr(x11, name).argtypes = result, arguments
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        return False
    owner = x11.XGetSelectionOwner(connection, x11.XInternAtom(connection, selection, 0))
    x11.XCloseDisplay(connection)
    return owner != 0

class StartMenu:
    """The running program as the screen shows it."""

    def __init__(self, session, process, tray_host):
        self.session, self.process, self.tray_host = session, process, tray_host

    def windows(self):
        return self.session.visible_windows(self.process.pid)

    def window(self):
        """The start-menu window's geometry, if it is on the screen."""
        return next((g for g in self.windows().values() if g[2] >= VIEW[0] and g[3] >= VIEW[1]), None)

    def at(self, point, geometry=None, view=VIEW):
        """A point of a view in X coordinates. A view sits at its window's bottom, as far from its
        bottom edge as from its sides (the start menu's arrow strip is above it)."""
        x, y, w, h = geometry or wait_for("the start-menu window", self.window)
        margin = (w - view[0]) // 2
        return x + margin + point[0], y + h - margin - view[1] + point[1]

    def region(self, rect):
        return crop(self.session.grab(), self.at(rect[:2]) + rect[2:])

    def tray_icon(self):
        """The centre of the program's icon inside the tray host's panel, once it is there."""
        panels = self.session.visible_windows(self.tray_host.pid).values()
        for x, y, w, h in self.windows().values():
            cx, cy = x + w // 2, y + h // 2
            if any(px <= cx < px + pw and py <= cy < py + ph for px, py, pw, ph in panels):
                return cx, cy
        return None

    def popup_after(self, action, what):
        """Does the action and waits for a new window of the program to be drawn (by then it has
        taken the keyboard, as pop-ups do); returns its id."""
        before = set(self.windows())
        action()
        popup = wait_for(what, lambda: next(iter(self.windows().keys() - before), None))
        wait_for(f"{what} to be drawn",
                 lambda: (g := self.windows().get(popup)) and not is_plain(crop(self.session.grab(), g)))
        return popup

def startup_items_add_remove_and_system_folder(session, menu, shot):
    """An entry written from outside in two steps appears; a file added through the add panel is
    listed and its Remove link removes it; with ~/.config/autostart a link to the system's
    autostart folder, Add and Remove write nothing there and the log says why."""
    row = lambda i: menu.region((236, 34 + STARTUP_ROW_HEIGHT * i, 200, 32))
    remove_link = lambda i: menu.at((STARTUP_REMOVE_LINK[0], STARTUP_REMOVE_LINK[1] + STARTUP_ROW_HEIGHT * i))
    refusals = lambda: open(f"{session.root}/first.stderr", errors="replace").read().count("nothing is written there")
    files = lambda folder: {name: open(f"{folder}/{name}", "rb").read() for name in os.listdir(folder)}

    def add_through_panel(path):
        # A synchronous move to where the pointer already is waits for long: it is moved off first.
        session.xdotool("mousemove", "0", "0")
        panel = menu.popup_after(lambda: session.click(menu.at(STARTUP_ADD_BUTTON)), "the add panel")
        session.xdotool("windowfocus", "--sync", panel)
        session.xdotool("type", "--delay", "5", path)
        for attempt in range(3):  # a Return may only close the name's completions
            session.xdotool("key", "Return")
            try:
                return wait_for("the add panel to take the file", lambda: panel not in menu.windows(), 3)
            except Failure:
                if attempt == 2:
                    raise

    # Created empty, then filled a moment later, once the program has likely read it empty.
    with open(f"{session.autostart}/two-steps.desktop", "w") as f:
        time.sleep(0.2)
        f.write("[Desktop Entry]\nType=Application\nName=two-steps\nExec=sh\n")
    wait_for("an entry written in two steps to be listed", lambda: not is_plain(row(2)))
    shot("startup-items-two-step-entry")

    # Added through the panel it comes last, and its Remove link takes it away at the first
    # click (the panel's completions must not be left to swallow it).
    document = f"{session.root}/login-notes.txt"
    open(document, "w").close()
    add_through_panel(document)
    wait_for("the added file to be listed", lambda: not is_plain(row(3)))
    own = [name for name, text in files(session.autostart).items() if f"X-Tavrin-Path={document}".encode() in text]
    shot("startup-items-added-through-panel")
    session.click(remove_link(3))
    wait_for("the added file's row to go", lambda: is_plain(row(3)))
    if len(own) != 1 or os.path.exists(f"{session.autostart}/{own[0]}"):
        raise Failure(f"the added file had {len(own)} entries, or Remove left its entry")

    # ~/.config/autostart a link to the system's folder: only the system's applet is listed (not
    # its agent, not an entry for another desktop), and nothing is written there.
    system = f"{session.env['XDG_CONFIG_DIRS']}/autostart"
    os.makedirs(system)
    for name, keys in (("applet", ""), ("agent", "NoDisplay=true\n"), ("kde", "OnlyShowIn=KDE;\n")):
        with open(f"{system}/{name}.desktop", "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\nName=System {name}\nExec=sh\n{keys}")
    os.rename(session.autostart, session.autostart + ".mine")
    os.symlink(system, session.autostart)
    before, refused = files(system), refusals()
    for index in (0, 5):  # choosing the tab again lists afresh
        session.click(menu.at((107, 172 + 38 * index)))
    wait_for("only the system's applet to be listed", lambda: not is_plain(row(0)) and is_plain(row(1)))
    shot("startup-items-linked-system-folder")
    add_through_panel(document)
    wait_for("Add to refuse the system folder", lambda: refusals() > refused)
    session.click(remove_link(0))
    wait_for("Remove to refuse the system folder", lambda: refusals() > refused + 1)
    if files(system) != before:
        raise Failure("the system's autostart folder was written")
    os.remove(session.autostart)
    os.rename(session.autostart + ".mine", session.autostart)

def simulated_volume(session, identifier):
    """The stand-in diskutil's record of a simulated volume."""
    import plistlib
    with open(f"{session.env['XDG_DATA_HOME']}/tavrin/Volumes.plist", "rb") as f:
        disks = plistlib.load(f)["Disks"]
    return next(v for d in disks for v in d.get("Partitions", []) + d.get("APFSVolumes", [])
                if v.get("DeviceIdentifier") == identifier)

def erase_as_exfat_with_the_pointer(session, menu, shot, boxes):
    """The FAT32 volume "Backup" (the first external box) is erased as ExFAT, the type picked with
    the pointer in the chooser that drops from the modal confirmation."""
    first, last = boxes[-2]
    session.click(menu.at((DISK_CARD_COLUMN[0] - 22, DISK_CARD_COLUMN[1] + (first + last) // 2)))
    confirmation = menu.popup_after(lambda: session.click(menu.at(DISK_FORMAT_BUTTON)), "the format confirmation")
    dialog = menu.windows()[confirmation]
    # The strip above the dialog's body and its corners show what lies beneath, never black.
    x, y, w, h = dialog
    for point in ((x + w // 2, y + 4), (x, y + 10), (x + w - 1, y + h - 1)):
        if crop(session.grab(), point + (1, 1)) == b"\0\0\0":
            raise Failure(f"the format confirmation is black at {point}")
    chooser = menu.popup_after(lambda: session.click(menu.at(FORMAT_TYPE_BUTTON, dialog, FORMAT_VIEW)),
                               "the format type chooser")
    session.move_to(menu.at(FORMAT_CHOOSER_EXFAT, dialog, FORMAT_VIEW))
    shot("format-type-chooser")
    session.click(menu.at(FORMAT_CHOOSER_EXFAT, dialog, FORMAT_VIEW))
    wait_for("the chooser to close after the pick", lambda: chooser not in menu.windows())
    shot("format-exfat-picked")
    end = menu.popup_after(lambda: session.click(menu.at(FORMAT_CONTINUE, dialog, FORMAT_VIEW)),
                           "the format end dialog")
    if confirmation in menu.windows():
        raise Failure("the format confirmation stayed open after the erase")
    shot("format-complete")
    session.click(menu.at(FORMAT_END_OK, menu.windows()[end], FORMAT_END_VIEW))
    wait_for("the format end dialog to close", lambda: end not in menu.windows())
    if (kind := simulated_volume(session, "disk2s1").get("FilesystemName")) != "ExFAT":
        raise Failure(f"the volume erased as ExFAT came out {kind}")

# The Downloads cleaner (view coordinates from its top-left): the check box of the outline's first
# row (rows 24 points apart), the select-all box with its colour when all is ticked, Completely
# Erase, and the empty state's line.
CLEANER_FIRST_BOX = (31, 73)
CLEANER_SELECT_ALL, CLEANER_SELECT_ALL_EDGE, TICKED = (31, 414), (25, 408), (0, 195, 248)
CLEANER_ERASE = (484, 415)
CLEANER_NO_FOLDER = (16, 220, 528, 20)

def clean_a_linked_downloads_folder(session, menu, shot):
    """Downloads becomes a link to a folder elsewhere: the cleaner lists what the folder holds,
    two items are ticked and erased, and exactly those go; the link and the folder stay. Then,
    with Downloads set to the home, the cleaner shows that there is none to clean."""
    home, target = session.env["HOME"], f"{session.root}/disk/Downloads"
    os.makedirs(os.path.dirname(target))
    shutil.move(f"{home}/Downloads", target)
    os.symlink(target, f"{home}/Downloads")
    for name, size in (("gone.bin", 50000), ("keep.bin", 40000)):  # below album, above notes.txt
        with open(f"{target}/{name}", "wb") as f:
            f.write(b"x" * size)
    listed = ["album", "gone.bin", "keep.bin", "notes.txt"]
    cleaner = menu.popup_after(lambda: session.click(menu.at(CLEAN_LINK)), "the Downloads cleaner")
    window = menu.windows()[cleaner]
    region = lambda rect: crop(session.grab(), menu.at(rect[:2], window, CLEANER_VIEW) + rect[2:])
    click = lambda point: session.click(menu.at(point, window, CLEANER_VIEW))
    box = lambda row: (CLEANER_FIRST_BOX[0], CLEANER_FIRST_BOX[1] + 24 * row)
    wait_for("the scan to end with everything ticked", lambda: near(region(CLEANER_SELECT_ALL_EDGE + (1, 1)), TICKED, 40))
    boxes = region(box(0) + (1, 24 * len(listed)))
    click(CLEANER_SELECT_ALL)  # all ticked after the scan: none now
    wait_for("every box to be cleared", lambda: region(box(0) + (1, 24 * len(listed))) != boxes)
    for row in (listed.index("gone.bin"), listed.index("notes.txt")):
        before = region(box(row) + (1, 1))
        click(box(row))
        wait_for(f"row {row} to be ticked", lambda: region(box(row) + (1, 1)) != before)
    shot("cleanup-linked-downloads-ticked")
    shown = set(menu.windows())
    click(CLEANER_ERASE)
    wait_for("the ticked items to go", lambda: not os.path.exists(f"{target}/gone.bin")
             and not os.path.exists(f"{target}/notes.txt"))
    wait_for("the removal sheet to close", lambda: set(menu.windows()) == shown)
    shot("cleanup-linked-downloads-erased")
    stays = [f"{target}/keep.bin", f"{target}/album/photo.jpg"]
    if not os.path.islink(f"{home}/Downloads") or not os.path.isdir(target) or not all(map(os.path.exists, stays)):
        raise Failure("erasing ticked items of a linked Downloads folder removed more than they")
    click(CLEANER_CLOSE)
    wait_for("the Downloads cleaner to close", lambda: cleaner not in menu.windows())

    # Downloads set to the home, as xdg-user-dirs-update writes it once the folder is deleted.
    write(f"{session.env['XDG_CONFIG_HOME']}/user-dirs.dirs", 'XDG_DOWNLOAD_DIR="$HOME/"\n')
    cleaner = menu.popup_after(lambda: session.click(menu.at(CLEAN_LINK)), "the Downloads cleaner's empty state")
    window = menu.windows()[cleaner]
    wait_for("the line saying there is no Downloads folder", lambda: not is_plain(region(CLEANER_NO_FOLDER)))
    shot("cleanup-home-as-downloads")
    click(CLEANER_CLOSE)
    wait_for("the Downloads cleaner to close", lambda: cleaner not in menu.windows())
    os.remove(f"{session.env['XDG_CONFIG_HOME']}/user-dirs.dirs")
    if not all(map(os.path.exists, stays + [f"{home}/.config/autostart"])):
        raise Failure("the home as Downloads lost something")

def mount_unmount_and_rename(session, menu, shot, boxes):
    """The external volume "Backup" is unmounted and mounted again with the Mount button, then
    renamed in its box; each change is in the stand-in diskutil's record."""
    first, last = boxes[-2]
    select = (DISK_CARD_COLUMN[0] - 22, DISK_CARD_COLUMN[1] + (first + last) // 2)
    title = lambda: menu.region(DISK_MOUNT_TITLE)
    for mounted in (False, True):
        session.click(menu.at(select))
        before = title()  # "Unmount", then "Mount"
        session.click(menu.at(DISK_MOUNT_BUTTON))
        what = "mounted" if mounted else "unmounted"
        wait_for(f"Backup to be {what}", lambda: simulated_volume(session, "disk2s1").get("Mounted") == mounted)
        # The column is built again (within the once-a-second rule) and selects an internal box.
        wait_for(f"its box to show it {what}", lambda: session.click(menu.at(select)) or title() != before, 15)
        shot(f"disk-manager-backup-{what}")
    session.click(menu.at(select))
    session.click(menu.at(DISK_RENAME_BUTTON))
    box_left = select[0] - 362  # the selection mark's middle, from the box's left edge
    session.click(menu.at((box_left + BOX_RENAME_FIELD, select[1])))
    session.xdotool("key", "ctrl+a", "type", "--delay", "20", "Archive")
    shot("disk-manager-rename-field")
    session.click(menu.at((box_left + BOX_RENAME_SAVE, select[1])))
    wait_for("Backup to be renamed", lambda: simulated_volume(session, "disk2s1").get("VolumeName") == "Archive")
    shot("disk-manager-renamed")

TRAY_ARGS = ["trayer", "--edge", "top", "--align", "right", "--height", "24", "--widthtype", "request"]

def start_tray_host(session, *tint):
    return session.start(TRAY_ARGS + list(tint), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

def expect_legible_icon(session, menu, icon, what):
    """Enough of the icon stands out from the panel (the commonest colour of its slot)."""
    def standing_out():
        slot = crop(session.grab(), (icon[0] - 12, icon[1] - 12, 24, 24))
        pixels = [slot[i:i + 3] for i in range(0, len(slot), 3)]
        luma = lambda p: (299 * p[0] + 587 * p[1] + 114 * p[2]) // 1000
        panel = luma(collections.Counter(pixels).most_common(1)[0][0])
        return sum(abs(luma(p) - panel) > 80 for p in pixels) >= 40
    wait_for(f"the tray icon to stand out on {what}", standing_out)

def icon_on_a_dark_tray(session, menu, shot):
    """The tray host comes back with a dark tint: the icon docks again and still reads."""
    old = menu.tray_host
    old.terminate()
    old.wait(5)
    menu.tray_host = start_tray_host(session, "--transparent", "true", "--alpha", "0", "--tint", "0x1d1f2b")
    wait_for("the dark tray host to own the system tray", lambda: tray_owned(session.env["DISPLAY"]))
    icon = wait_for("the tray icon on the dark tray", menu.tray_icon)
    expect_legible_icon(session, menu, icon, "a dark tray")
    shot("tray-icon-on-a-dark-tray")
    return icon
def hidden_files_on_a_refused_finder_file(session, menu, shot):
    """Show Hidden Files, off, over a Finder preference file too large for the reader: the click
    writes nothing, the file stays as it was, and the switch shows the state read back (off)."""
    import getpass, plistlib
    path = f"{session.root}/mac/Users/{getpass.getuser()}/Library/Preferences/com.apple.finder.plist"
    reads = lambda: open(session.tool_calls).read().count('["defaults","read","com.apple.finder","AppleShowAllFiles"]')
    on = menu.region(HIDDEN_FILES_SWITCH_IMAGE)
    session.click(menu.at(HIDDEN_FILES_SWITCH))  # on from the step before: off again
    off = wait_for("the switch to show off", lambda: (shown := menu.region(HIDDEN_FILES_SWITCH_IMAGE)) != on and shown)
    wait_for("the Finder to hide hidden files", lambda: plistlib.load(open(path, "rb")).get("AppleShowAllFiles") == "FALSE")
    refused = plistlib.dumps({"AppleShowAllFiles": False, **{f"k{i}": i for i in range(70000)}})
    with open(path, "wb") as f:
        f.write(refused)
    before = reads()
    session.click(menu.at(HIDDEN_FILES_SWITCH))
    wait_for("the click's read and its read-back", lambda: reads() == before + 2)
    wait_for("the switch to show the state read back", lambda: menu.region(HIDDEN_FILES_SWITCH_IMAGE) == off)
    shot("switch-manager-refused-finder-file")
    if open(path, "rb").read() != refused:
        raise Failure("a Finder preference file that does not read was rewritten")

def minimise_without_a_window_manager(session, menu, icon, shot):
    """No window manager runs here: the yellow light hides the window and the tray brings it back."""
    session.click(menu.at(MINIMISE_LIGHT))
    wait_for("the yellow light to hide the window", lambda: not menu.window())
    shot("yellow-light-hides-window")
    session.click(icon)
    wait_for("the tray icon to bring the window back", menu.window)

def drive(session, menu, shots, start_copy):
    steps = iter(range(1, 100))

    started = time.monotonic()

    def shot(name):
        step = next(steps)
        print(f"{time.monotonic() - started:6.1f} s  {step:02d} {name}", flush=True)
        session.grab(f"{shots}/{step:02d}-{name}.png")

    # Start-up: the window opens, drawn, and the icon sits in the tray.
    wait_for("the start-menu window at start-up", menu.window, timeout=30)
    wait_for("the window to be drawn", lambda: not is_plain(menu.region((0, 0) + VIEW)))
    icon = wait_for("the tray icon", menu.tray_icon)
    expect_legible_icon(session, menu, icon, "a light tray")
    shot("start-up")

    # A click on the icon while the window is visible keeps it. The first tool click is handled
    # after it (one connection, events in order), so once that shows, the icon's click is done.
    session.click(icon)
    columns = {}
    previous_column = menu.region(TOOL_COLUMN)
    for index, (tool, shows_something) in enumerate(TOOLS):
        session.click(menu.at((107, 172 + 38 * index)))
        wait_for(f"the {tool} button to be chosen", lambda: menu.region(TOOL_COLUMN) != previous_column)
        if index == 0:
            if not menu.window():
                raise Failure("a click on the tray icon hid the visible window")
            shot("tray-click-keeps-window")
        wait_for(f"the {tool} pane to " + ("show something" if shows_something else "be empty"),
                 lambda: is_plain(menu.region(PANE)) != shows_something)
        previous_column = columns[tool] = menu.region(TOOL_COLUMN)
        shot(f"tool-{tool}")
        if tool == "Applications":
            start_application_from_row(session, menu, shot)
            start_bundle_from_open_link(session, menu, shot)
            start_terminal_program_from_row(session, menu, shot)
        if tool == "TaskManager":
            task_manager_lists_a_started_application(session, menu, shot)
        if tool == "Cleanup":
            # Clean scans the Downloads folder in a modal window; its close light ends it.
            cleaner = menu.popup_after(lambda: session.click(menu.at(CLEAN_LINK)), "the Downloads cleaner")
            shot("cleanup-downloads-cleaner")
            session.click(menu.at(CLEANER_CLOSE, menu.windows()[cleaner], CLEANER_VIEW))
            wait_for("the Downloads cleaner to close", lambda: cleaner not in menu.windows())
            clean_a_linked_downloads_folder(session, menu, shot)
        if tool == "SwitchManager":
            # Show Hidden Files: the stand-in defaults writes the simulated Finder's setting.
            def finder_setting():
                import glob, plistlib
                for path in glob.glob(f"{session.root}/mac/Users/*/Library/Preferences/com.apple.finder.plist"):
                    with open(path, "rb") as f:
                        return plistlib.load(f).get("AppleShowAllFiles")
            before = finder_setting()
            session.click(menu.at(HIDDEN_FILES_SWITCH))
            wait_for("the Finder to show hidden files", lambda: finder_setting() == "TRUE" != before)
            shot("switch-manager-hidden-files")
            hidden_files_on_a_refused_finder_file(session, menu, shot)
        if tool == "AppUininstaller":
            # Tick the first application (a check box starts nothing; a click while the list is
            # still being read is ignored, so it is tried again), then Uninstall shows its related
            # files in a modal window, which Cancel closes without removing anything.
            untouched = menu.region(UNINSTALL_COUNT)
            for attempt in range(20):
                session.click(menu.at(UNINSTALL_FIRST_BOX))
                try:
                    wait_for("the first application to be ticked", lambda: menu.region(UNINSTALL_COUNT) != untouched, 1.0)
                    break
                except Failure:
                    if attempt == 19:
                        raise
            related = menu.popup_after(lambda: session.click(menu.at(UNINSTALL_BUTTON)), "the related-files window")
            shot("uninstaller-related-files")
            session.click(menu.at(RELATED_CANCEL, menu.windows()[related], RELATED_VIEW))
            wait_for("the related-files window to close", lambda: related not in menu.windows())
            session.click(menu.at(UNINSTALL_FIRST_BOX))
            wait_for("the first application to be unticked", lambda: menu.region(UNINSTALL_COUNT) == untouched)
            uninstall_with_related_files(session, menu, shot)
        if tool == "StartupItems":
            # The seeded entry is listed, and one written while the tab shows appears by itself.
            wait_for("the seeded login item to be listed", lambda: not is_plain(menu.region(STARTUP_FIRST_ROW)))
            rows = menu.region(STARTUP_ROWS)
            session.add_login_item("downloads", f"{session.env['HOME']}/Downloads")  # listed before the seeded one
            wait_for("a login item added from outside to appear", lambda: menu.region(STARTUP_ROWS) != rows)
            shot("startup-items-outside-change")
            # The add button's panel opens; Escape cancels it and the list stays as it was.
            rows = menu.region(STARTUP_ROWS)
            panel = menu.popup_after(lambda: session.click(menu.at(STARTUP_ADD_BUTTON)), "the add panel")
            shot("startup-items-add-panel")
            session.xdotool("windowfocus", "--sync", panel)
            session.xdotool("key", "Escape")
            wait_for("the add panel to close", lambda: panel not in menu.windows())
            if menu.region(STARTUP_ROWS) != rows:
                raise Failure("cancelling the add panel changed the login items")
            startup_items_add_remove_and_system_folder(session, menu, shot)
        if tool == "DiskManager":
            # The boxes list the stand-in diskutil's volumes; the last is an external one. It is
            # selected, Format opens its confirmation, and Cancel closes it with nothing erased.
            def cards():
                x, top, height = DISK_CARD_COLUMN
                column = crop(session.grab(), menu.at((x, top)) + (1, height))
                runs = []
                # Within a few levels: a compositor blends the window's 0.99 alpha with the desktop.
                for row in (r for r in range(height) if near(column[3 * r:3 * r + 3], DISK_CARD)):
                    if runs and row == runs[-1][1] + 1:
                        runs[-1][1] = row
                    else:
                        runs.append([row, row])
                return [run for run in runs if run[1] - run[0] >= 30]
            boxes = wait_for("the volume boxes", lambda: len(cards()) >= 2 and cards(), 15)
            first, last = boxes[-1]
            session.click(menu.at((DISK_CARD_COLUMN[0] - 22, DISK_CARD_COLUMN[1] + (first + last) // 2)))
            shot("disk-manager-external-selected")
            confirmation = menu.popup_after(lambda: session.click(menu.at(DISK_FORMAT_BUTTON)),
                                            "the format confirmation")
            shot("disk-manager-format-confirmation")
            session.click(menu.at(FORMAT_CANCEL, menu.windows()[confirmation], FORMAT_VIEW))
            wait_for("the format confirmation to close", lambda: confirmation not in menu.windows())
            erase_as_exfat_with_the_pointer(session, menu, shot, boxes)
            mount_unmount_and_rename(session, menu, shot, boxes)

    # The power menu opens and closes.
    popup = menu.popup_after(lambda: session.click(menu.at(POWER_MENU_BUTTON)), "the power menu")
    shot("power-menu")
    session.xdotool("key", "Escape")
    wait_for("the power menu to close", lambda: popup not in menu.windows())

    # The volume button opens the volume pop-up, which Escape closes.
    volume = menu.popup_after(lambda: session.click(menu.at(SOUND_BUTTON)), "the volume pop-up")
    shot("volume-pop-up")
    session.xdotool("key", "Escape")
    wait_for("the volume pop-up to close", lambda: volume not in menu.windows())

    def close_window():
        session.click(menu.at(CLOSE_LIGHT))
        wait_for("the close light to hide the window", lambda: not menu.window())

    def expect_exit(process, seconds, what):
        try:
            status = process.wait(seconds)
        except subprocess.TimeoutExpired:
            raise Failure(f"{what}: still running")
        if status != 0:
            raise Failure(f"{what}: exit status {status}")

    # The close light hides the window; the icon rebuilds it on the last chosen tool.
    last_tool = TOOLS[-1][0]
    close_window()
    shot("close-light-hides-window")
    session.click(icon)
    wait_for(f"the window rebuilt on {last_tool}",
             lambda: menu.window() and menu.region(TOOL_COLUMN) == columns[last_tool])
    shot(f"tray-click-rebuilds-on-{last_tool}")
    minimise_without_a_window_manager(session, menu, icon, shot)

    # A second copy exits at once with status 0 and brings the first to the front.
    close_window()
    expect_exit(start_copy("second"), 30, "the second copy")
    wait_for("the first copy's window to come to the front", menu.window)
    shot("second-copy-brings-first-to-front")

    icon = icon_on_a_dark_tray(session, menu, shot)

    # About, the first item of the tray's menu, shows the About box; its Close button closes it.
    menu.popup_after(lambda: session.click(icon, button=3), "the tray menu")
    about = menu.popup_after(lambda: session.xdotool("key", "Down", "Return"), "the About box")
    shot("about-box")
    session.click(menu.at(ABOUT_CLOSE, menu.windows()[about], ABOUT_VIEW))
    wait_for("the About box to close", lambda: about not in menu.windows())

    # Quit from the tray's menu ends the program with status 0.
    menu.popup_after(lambda: session.click(icon, button=3), "the tray menu")
    shot("tray-menu")
    session.xdotool("key", "Up", "Return")  # the last item: Quit Tavrin
    expect_exit(menu.process, 20, "the program after Quit from the tray menu")

def unexpected_lines(paths, expected_file):
    with open(expected_file) as f:
        patterns = [re.compile(line.rstrip("\n")) for line in f if line.strip() and not line.startswith("#")]
    lines = [line.rstrip("\n") for path in paths for line in open(path, errors="replace") if line.strip()]
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
    tray_host = start_tray_host(session)
    wait_for("the tray host to own the system tray", lambda: tray_owned(display))
    if compositor := os.environ.get("TAVRIN_E2E_COMPOSITOR"):  # for example xcompmgr: a desktop that blurs nothing
        session.start([compositor], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the compositor to own the screen", lambda: selection_owned(display, b"_NET_WM_CM_S0"))

    bundle = shutil.copytree(args.bundle, f"{session.root}/Tavrin.app", symlinks=True)
    session.env["QT_QPA_PLATFORM"] = "xcb"  # and no DBUS_SESSION_BUS_ADDRESS: the XEmbed tray

    def start_copy(name):
        stderr_files.append(f"{session.root}/{name}.stderr")
        with open(stderr_files[-1], "wb") as err:
            return session.start([f"{bundle}/Contents/MacOS/Tavrin"], stdout=subprocess.DEVNULL, stderr=err)

    drive(session, StartMenu(session, start_copy("first"), tray_host), args.screenshots, start_copy)
    if unexpected := unexpected_lines(stderr_files, args.expected_stderr):
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
        session.grab(f"{args.screenshots}/failure.png")
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
