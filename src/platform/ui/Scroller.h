#pragma once

#include "View.h"

namespace platform::ui {

enum class ControlSize { Regular = 0, Small = 1, Mini = 2 };
enum class ScrollerStyle { Legacy = 0, Overlay = 1 };
enum class ScrollerPart { NoPart = 0, Knob = 2, KnobSlot = 6 };

// A vertical scroller: a knob in a slot that shows which part of the document is in view.
// Its value runs from 0 (the top of the document) to 1 (the end); the knob's length is the
// shown part's proportion of the document. It is drawn flipped, the top first.
class Scroller : public View {
public:
    explicit Scroller(const Rect& frame = {});

    bool isFlipped() const override { return true; }
    bool mouseDownCanMoveWindow() const override { return false; }

    // The width a scroller of that size and style takes beside the content.
    static double scrollerWidthForControlSize(ControlSize size, ScrollerStyle style);

    ControlSize controlSize() const { return controlSize_; }
    ScrollerStyle scrollerStyle() const { return style_; }

    double floatValue() const { return value_; }
    // Kept within 0–1.
    virtual void setFloatValue(double value);
    void setKnobProportion(double proportion);

    Rect rectForPart(ScrollerPart part) const;

    // The slot, then the knob.
    void drawRect(const Rect& dirtyRect) override;
    virtual void drawKnob();
    virtual void drawKnobSlotInRect(const Rect& slotRect, bool highlight);

private:
    ControlSize controlSize_ = ControlSize::Regular;
    ScrollerStyle style_ = ScrollerStyle::Legacy;
    double value_ = 0;
    double proportion_ = 1;
};

} // namespace platform::ui
