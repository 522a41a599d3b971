#include "TMProgressView.h"

#include "RoundedRectPainting.h"
#include "TMProgressBar.h"

#include "utilities/GetColor.h"

using namespace platform::ui;

TMProgressView::TMProgressView(const Rect& frame)
    : BarProgressView(frame, std::make_unique<TMProgressBar>())
{
}

void TMProgressView::drawRect(const Rect& dirtyRect)
{
    fillRoundedRect(Rect({0, 0}, dirtyRect.size), 2, getColor(225, 226, 235, 1));
}
