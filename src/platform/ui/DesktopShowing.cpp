#include "DesktopShowing.h"

#include <QGuiApplication>
#include <QLibrary>

namespace platform::ui {

namespace {

// Xlib's client-message event, as its header lays it out.
struct XClientMessageEvent {
    int type;
    unsigned long serial;
    int send_event;
    void* display;
    unsigned long window;
    unsigned long message_type;
    int format;
    long l[5];
};
union XEvent {
    XClientMessageEvent xclient;
    long pad[24];
};

constexpr int kClientMessage = 33;
constexpr long kSubstructureNotifyMask = 1L << 19;
constexpr long kSubstructureRedirectMask = 1L << 20;

} // namespace

bool showDesktopOnDesktop()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    // Loaded when asked, so the program needs no X11 library of its own to build.
    QLibrary x11(QStringLiteral("X11"), 6);
    using OpenDisplay = void* (*)(const char*);
    using InternAtom = unsigned long (*)(void*, const char*, int);
    using RootWindow = unsigned long (*)(void*);
    using SendEvent = int (*)(void*, unsigned long, int, long, XEvent*);
    using DisplayCall = int (*)(void*);
    const auto open = reinterpret_cast<OpenDisplay>(x11.resolve("XOpenDisplay"));
    const auto internAtom = reinterpret_cast<InternAtom>(x11.resolve("XInternAtom"));
    const auto rootWindow = reinterpret_cast<RootWindow>(x11.resolve("XDefaultRootWindow"));
    const auto sendEvent = reinterpret_cast<SendEvent>(x11.resolve("XSendEvent"));
    const auto flush = reinterpret_cast<DisplayCall>(x11.resolve("XFlush"));
    const auto close = reinterpret_cast<DisplayCall>(x11.resolve("XCloseDisplay"));
    if (!open || !internAtom || !rootWindow || !sendEvent || !flush || !close)
        return false;
    void* display = open(nullptr);
    if (!display)
        return false;
    XEvent event{};
    event.xclient.type = kClientMessage;
    event.xclient.send_event = 1;
    event.xclient.display = display;
    event.xclient.window = rootWindow(display);
    event.xclient.message_type = internAtom(display, "_NET_SHOWING_DESKTOP", 0);
    event.xclient.format = 32;
    event.xclient.l[0] = 1;
    const bool sent = sendEvent(display, event.xclient.window, 0, kSubstructureNotifyMask | kSubstructureRedirectMask,
                                &event) != 0;
    flush(display);
    close(display);
    return sent;
}

} // namespace platform::ui
