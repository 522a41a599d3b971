#include "TrackingArea.h"

namespace platform::ui {

TrackingArea::TrackingArea(const Rect& rect, unsigned options, Responder* owner, QVariantMap userInfo)
    : rect_(rect)
    , options_(options)
    , owner_(owner)
    , userInfo_(std::move(userInfo))
    , inside_((options & AssumeInside) != 0)
{
}

} // namespace platform::ui
