#include "EUProgressView.h"

#include "NSProgressBar.h"
#include "RoundedRectPainting.h"

using namespace platform::ui;

EUProgressView::EUProgressView(const Rect& frame)
    : BarProgressView(frame, std::make_unique<NSProgressBar>())
{
}

void EUProgressView::drawRect(const Rect& dirtyRect)
{
    fillRoundedRect(Rect({0, 0}, dirtyRect.size), 3, Color::colorWithDeviceRed(0, 0, 0, 0.3));
}
