#include "Scroller.h"

#include "BezierPath.h"
#include "Color.h"
#include "GraphicsContext.h"

#include <algorithm>

namespace platform::ui {

namespace {

constexpr double kMinimumKnobLength = 18;
constexpr double kKnobInset = 3;

} // namespace

Scroller::Scroller(const Rect& frame)
    : View(frame)
{
}

double Scroller::scrollerWidthForControlSize(ControlSize size, ScrollerStyle)
{
    return size == ControlSize::Regular ? 15 : 11;
}

void Scroller::setFloatValue(double value)
{
    value_ = std::clamp(value, 0.0, 1.0);
    setNeedsDisplay();
}

void Scroller::setKnobProportion(double proportion)
{
    proportion_ = std::clamp(proportion, 0.0, 1.0);
    setNeedsDisplay();
}

Rect Scroller::rectForPart(ScrollerPart part) const
{
    const Rect slot = bounds();
    if (part == ScrollerPart::KnobSlot)
        return slot;
    if (part != ScrollerPart::Knob || proportion_ >= 1 || slot.height() < kMinimumKnobLength)
        return {};
    const double length = std::max(kMinimumKnobLength, slot.height() * proportion_);
    const double top = value_ * (slot.height() - length);
    return Rect(slot.minX() + kKnobInset, top, std::max(0.0, slot.width() - 2 * kKnobInset), length);
}

void Scroller::drawRect(const Rect&)
{
    drawKnobSlotInRect(rectForPart(ScrollerPart::KnobSlot), false);
    drawKnob();
}

void Scroller::drawKnob()
{
    const Rect knob = rectForPart(ScrollerPart::Knob);
    if (knob.isEmpty())
        return;
    Color::colorWithRed(0, 0, 0, 0.45).setFill();
    const double radius = knob.width() / 2;
    BezierPath::bezierPathWithRoundedRect(knob, radius, radius).fill();
}

void Scroller::drawKnobSlotInRect(const Rect& slotRect, bool)
{
    Color::colorWithRed(0.97, 0.97, 0.97, 1).setFill();
    NSRectFill(slotRect);
}

} // namespace platform::ui
