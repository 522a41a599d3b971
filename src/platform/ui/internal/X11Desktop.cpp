#include "X11Desktop.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace platform::ui {

namespace {

// xcb's replies are malloc'ed.
template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <class T>
Reply<T> reply(T* r)
{
    return Reply<T>(r, &std::free);
}

} // namespace

std::optional<X11Desktop> X11Desktop::current()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || xcb_connection_has_error(connection))
        return std::nullopt;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (!screens.rem)
        return std::nullopt;
    return X11Desktop(connection, screens.data->root);
}

std::uint32_t X11Desktop::atom(const char* name) const
{
    auto r = reply(xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name),
                                         nullptr));
    return r ? r->atom : std::uint32_t(XCB_ATOM_NONE);
}

std::uint32_t X11Desktop::selectionOwner(const char* name) const
{
    auto r = reply(xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, atom(name)), nullptr));
    return r ? r->owner : std::uint32_t(XCB_WINDOW_NONE);
}

bool X11Desktop::compositing() const
{
    return selectionOwner("_NET_WM_CM_S0") != XCB_WINDOW_NONE;
}

bool X11Desktop::hasWindowManager() const
{
    if (selectionOwner("WM_S0") != XCB_WINDOW_NONE)
        return true;
    auto r = reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, root_, atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    return r && xcb_get_property_value_length(r.get()) >= int(sizeof(std::uint32_t));
}

bool X11Desktop::offersBlurBehind() const
{
    // KWin's blur effect puts a property of the request's name on the root window while it runs.
    const std::uint32_t blur = atom("_KDE_NET_WM_BLUR_BEHIND_REGION");
    auto r = reply(xcb_list_properties_reply(connection_, xcb_list_properties(connection_, root_), nullptr));
    if (!r || blur == XCB_ATOM_NONE)
        return false;
    const xcb_atom_t* atoms = xcb_list_properties_atoms(r.get());
    const int count = xcb_list_properties_atoms_length(r.get());
    for (int i = 0; i < count; ++i)
        if (atoms[i] == blur)
            return true;
    return false;
}

void X11Desktop::setBlurBehind(std::uint32_t window, const QRegion& region) const
{
    const std::uint32_t blur = atom("_KDE_NET_WM_BLUR_BEHIND_REGION");
    if (region.isEmpty()) {
        xcb_delete_property(connection_, window, blur);
    } else {
        std::vector<std::uint32_t> rects;
        for (const QRect& r : region)
            rects.insert(rects.end(), {std::uint32_t(r.x()), std::uint32_t(r.y()), std::uint32_t(r.width()),
                                       std::uint32_t(r.height())});
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, blur, XCB_ATOM_CARDINAL, 32,
                            std::uint32_t(rects.size()), rects.data());
    }
    xcb_flush(connection_);
}

std::optional<QColor> X11Desktop::trayForeground() const
{
    const std::uint32_t tray = selectionOwner("_NET_SYSTEM_TRAY_S0");
    if (tray == XCB_WINDOW_NONE)
        return std::nullopt;
    // Four colours of three 16-bit components: foreground, error, warning, success.
    auto r = reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, tray, atom("_NET_SYSTEM_TRAY_COLORS"), XCB_ATOM_CARDINAL, 0, 12),
        nullptr));
    if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) < int(3 * sizeof(std::uint32_t)))
        return std::nullopt;
    const auto* value = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
    QColor colour;
    colour.setRgbF(std::min(value[0], 65535u) / 65535.0f, std::min(value[1], 65535u) / 65535.0f,
                   std::min(value[2], 65535u) / 65535.0f);
    return colour;
}

} // namespace platform::ui
