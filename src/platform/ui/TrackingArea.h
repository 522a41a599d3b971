#pragma once

#include "Geometry.h"
#include "Responder.h"
#include "WeakRef.h"

#include <QVariantMap>

namespace platform::ui {

// A region of a view in which the owner hears the pointer enter, leave and move. The owner
// is not retained: once it is gone, the area sends nothing.
class TrackingArea {
public:
    enum Options : unsigned {
        MouseEnteredAndExited = 0x01,
        MouseMoved = 0x02,
        CursorUpdate = 0x04,
        ActiveWhenFirstResponder = 0x10,
        ActiveInKeyWindow = 0x20,
        ActiveInActiveApp = 0x40,
        ActiveAlways = 0x80,
        AssumeInside = 0x100,
        InVisibleRect = 0x200,
        EnabledDuringMouseDrag = 0x400,
    };

    TrackingArea(const Rect& rect, unsigned options, Responder* owner, QVariantMap userInfo = {});

    const Rect& rect() const { return rect_; }
    unsigned options() const { return options_; }
    Responder* owner() const { return owner_.get(); }
    const QVariantMap& userInfo() const { return userInfo_; }

    // Whether the pointer was last seen inside (kept by the view that tracks the area).
    bool isInside() const { return inside_; }
    void setInside(bool inside) { inside_ = inside; }

private:
    Rect rect_;
    unsigned options_;
    WeakRef<Responder> owner_;
    QVariantMap userInfo_;
    bool inside_;
};

} // namespace platform::ui
