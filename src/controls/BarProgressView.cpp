#include "BarProgressView.h"

#include "ProgressBarWidth.h"

using namespace platform::ui;

BarProgressView::BarProgressView(const Rect& frame, std::unique_ptr<View> bar)
    : View(frame)
{
    bar->setFrame(Rect(0, 0, 0, frame.height()));
    bar->setAutoresizingMask(ViewWidthSizable | ViewMaxXMargin);
    pProgress1 = addSubview(std::move(bar));
}

void BarProgressView::changeProgressValue(float value)
{
    const float width = progressBarWidth(float(frame().width()), value);
    pProgress1->setFrame(Rect(0, 0, width, frame().height()));
    pProgress1->setNeedsDisplay(true);
    setNeedsDisplay(true);
}
