#include "EUHandButton.h"

#include "platform/ui/Cursor.h"
#include "platform/ui/TrackingArea.h"

using namespace platform::ui;

EUHandButton::~EUHandButton()
{
    // A button that goes while the pointer is on it does not leave the hand behind.
    if (showsHand_)
        Cursor::arrowCursor().set();
}

void EUHandButton::viewDidMoveToWindow()
{
    addTrackingArea(std::make_shared<TrackingArea>(
        bounds(), TrackingArea::MouseEnteredAndExited | TrackingArea::ActiveInActiveApp, this));
}

void EUHandButton::mouseEntered(const Event&)
{
    showsHand_ = true;
    Cursor::pointingHandCursor().set();
}

void EUHandButton::mouseExited(const Event&)
{
    showsHand_ = false;
    Cursor::arrowCursor().set();
}
