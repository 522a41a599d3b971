#include "OverlayScroller.h"

#include "platform/Platform.h"
#include "platform/ui/TrackingArea.h"

#include <typeinfo>

using namespace platform::ui;

OverlayScroller::OverlayScroller(const Rect& frame)
    : Scroller(frame)
{
    commonInitializer();
}

void OverlayScroller::commonInitializer()
{
    setAlphaValue(0); // hidden until the content scrolls or the pointer comes
    // Follows the scroller's bounds, which the scroll view sets after making it.
    addTrackingArea(std::make_shared<TrackingArea>(
        bounds(),
        TrackingArea::MouseEnteredAndExited | TrackingArea::MouseMoved | TrackingArea::ActiveInActiveApp
            | TrackingArea::InVisibleRect,
        this));
}

bool OverlayScroller::isCompatibleWithOverlayScrollers() const
{
    return typeid(*this) == typeid(OverlayScroller);
}

void OverlayScroller::drawRect(const Rect&)
{
    drawKnob();
}

void OverlayScroller::drawKnobSlotInRect(const Rect&, bool)
{
}

void OverlayScroller::setFloatValue(double value)
{
    Scroller::setFloatValue(value);
    animateAlpha(1.0, kDefaultAnimation);
    // One pending fade: each scroll moves it to 1.5 s after itself.
    pendingFadeOut_ = platform::Platform::current().dispatcher->scheduledTimer(kFadeOutDelay, false, [this] { fadeOut(); });
}

void OverlayScroller::mouseEntered(const Event& event)
{
    Scroller::mouseEntered(event);
    animateAlpha(1.0, kEnterAnimation);
    pendingFadeOut_.reset();
}

void OverlayScroller::mouseMoved(const Event& event)
{
    Scroller::mouseMoved(event);
    animation_.reset();
    setAlphaValue(1.0);
}

void OverlayScroller::mouseExited(const Event& event)
{
    Scroller::mouseExited(event);
    fadeOut();
}

void OverlayScroller::fadeOut()
{
    animateAlpha(0.0, kFadeOutAnimation);
}

void OverlayScroller::animateAlpha(double to, Interval duration)
{
    fade_ = AlphaFade{alphaValue(), to, duration};
    animated_ = Interval{};
    animation_ = platform::Platform::current().dispatcher->scheduledTimer(kAnimationStep, true, [this] { stepAnimation(); });
}

void OverlayScroller::stepAnimation()
{
    animated_ += kAnimationStep;
    setAlphaValue(fade_.alphaAt(animated_));
    if (fade_.isFinishedAt(animated_))
        animation_->invalidate(); // not reset: this very timer is running
}
