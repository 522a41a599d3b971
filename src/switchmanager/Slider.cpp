#include "Slider.h"

#include "controls/RoundedRectPainting.h"

#include "utilities/GetColor.h"

#include "platform/ui/BezierPath.h"
#include "platform/ui/Event.h"

#include <algorithm>

using namespace platform::ui;

namespace {
constexpr double kKnobRadius = 7;
constexpr double kTrackHeight = 4;
} // namespace

Slider::Slider(const Rect& frame, double minValue, double maxValue)
    : View(frame)
    , minValue_(minValue)
    , maxValue_(maxValue)
    , value_(minValue)
{
}

void Slider::setDoubleValue(double value)
{
    // Anything outside the range, a value that is no number included, lands on its nearer end.
    value_ = value >= minValue_ ? std::min(value, maxValue_) : minValue_;
    setNeedsDisplay();
}

double Slider::valueAtX(double x) const
{
    const double track = bounds().width() - 2 * kKnobRadius;
    if (track <= 0)
        return minValue_;
    const double fraction = std::clamp((x - kKnobRadius) / track, 0.0, 1.0);
    return minValue_ + fraction * (maxValue_ - minValue_);
}

void Slider::drawRect(const Rect&)
{
    const Rect all = bounds();
    const double track = all.width() - 2 * kKnobRadius;
    const double fraction = maxValue_ > minValue_ ? (value_ - minValue_) / (maxValue_ - minValue_) : 0;
    const double knobX = kKnobRadius + fraction * track;
    const double middle = all.height() / 2;
    fillRoundedRect(Rect(kKnobRadius, middle - kTrackHeight / 2, track, kTrackHeight), kTrackHeight / 2,
                    getColor(210, 212, 220, 1));
    fillRoundedRect(Rect(kKnobRadius, middle - kTrackHeight / 2, knobX - kKnobRadius, kTrackHeight), kTrackHeight / 2,
                    getColor(0, 195, 248, 1));
    const Rect knob(knobX - kKnobRadius + 0.5, middle - kKnobRadius + 0.5, 2 * kKnobRadius - 1, 2 * kKnobRadius - 1);
    getColor(255, 255, 255, 1).setFill();
    BezierPath::bezierPathWithOvalInRect(knob).fill();
    getColor(160, 164, 176, 1).setStroke();
    BezierPath outline = BezierPath::bezierPathWithOvalInRect(knob);
    outline.setLineWidth(1);
    outline.stroke();
}

void Slider::trackTo(const Event& event)
{
    setDoubleValue(valueAtX(convertPointFromView(event.locationInWindow(), nullptr).x));
    if (action_)
        action_(*this);
}

void Slider::mouseDown(const Event& event)
{
    trackTo(event);
}

void Slider::mouseDragged(const Event& event)
{
    trackTo(event);
}
