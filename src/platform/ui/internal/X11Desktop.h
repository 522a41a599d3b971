#pragma once

#include <QColor>
#include <QRegion>

#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace platform::ui {

// What the X desktop says of itself through properties and selections, over the program's own
// X connection. Internal to the UI layer.
class X11Desktop {
public:
    // The desktop of the running application, or none when it does not run on X.
    static std::optional<X11Desktop> current();

    // A compositing manager holds the screen's _NET_WM_CM selection.
    bool compositing() const;
    // A window manager runs: it holds the screen's WM selection or names its check window.
    bool hasWindowManager() const;
    // The compositor announces that it blurs behind windows that ask (KWin's blur-behind).
    bool offersBlurBehind() const;
    // Asks for the blur behind `region` of the window (in its own pixels); an empty region
    // withdraws the request.
    void setBlurBehind(std::uint32_t window, const QRegion& region) const;
    // The colour that the system tray draws its icons in (_NET_SYSTEM_TRAY_COLORS), when the
    // tray sets one.
    std::optional<QColor> trayForeground() const;

private:
    X11Desktop(xcb_connection_t* connection, std::uint32_t root) : connection_(connection), root_(root) {}
    std::uint32_t atom(const char* name) const;
    std::uint32_t selectionOwner(const char* name) const;

    xcb_connection_t* connection_;
    std::uint32_t root_;
};

} // namespace platform::ui
