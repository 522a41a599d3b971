#include "TCWindowButton.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowNotifications.h"

using namespace platform::ui;

std::unique_ptr<TCWindowButton> TCWindowButton::windowButtonWithSize(Size size, const QString& groupIdentifier)
{
    return std::make_unique<TCWindowButton>(size, groupIdentifier);
}

TCWindowButton::TCWindowButton(Size size, const QString& groupIdentifier)
    : Button(Rect({0, 0}, size))
    , groupIdentifier_(groupIdentifier)
{
    setButtonType(ButtonType::MomentaryChange);
    setBordered(false);
    setTitle(QString());
    setImagePosition(CellImagePosition::ImageOnly);
    cell()->setHighlightsBy(PushInCellMask);
    cell()->setImageDimsWhenDisabled(false);
    groupObservation_ = platform::NotificationCenter::defaultCenter().addObserver(
        this, TCWindowButtonGroupDidUpdateRolloverStateNotification, &group(),
        [this](const platform::Notification&) {
            if (group().numberOfCaptures() == 0)
                holdsPointer_ = false;
            updateRollOverImage();
        });
}

TCWindowButton::~TCWindowButton()
{
    groupObservation_.reset();
    if (holdsPointer_)
        group().didReleaseMousePointer();
}

void TCWindowButton::setEnabled(bool enabled)
{
    Button::setEnabled(enabled);
    setImage(enabled ? activeImage_ : inactiveImage_);
}

void TCWindowButton::updateActiveImage()
{
    const Window* w = window();
    setImage(w && w->isKeyWindow() ? activeImage_ : activeNotKeyWindowImage_);
}

void TCWindowButton::updateImage()
{
    if (!isEnabled())
        setImage(inactiveImage_);
    else
        updateActiveImage();
}

void TCWindowButton::updateRollOverImage()
{
    if (group().shouldDisplayRollOver() && isEnabled())
        setImage(rolloverImage_);
    else
        updateImage();
}

void TCWindowButton::updateTrackingAreas()
{
    Button::updateTrackingAreas();
    if (mouseTrackingArea_)
        removeTrackingArea(mouseTrackingArea_.get());
    mouseTrackingArea_ = std::make_shared<TrackingArea>(bounds().insetBy(-4, -4),
                                                        TrackingArea::MouseEnteredAndExited | TrackingArea::ActiveAlways, this);
    addTrackingArea(mouseTrackingArea_);
}

void TCWindowButton::mouseEntered(const Event& event)
{
    Button::mouseEntered(event);
    if (!holdsPointer_) {
        holdsPointer_ = true;
        group().didCaptureMousePointer();
    }
    updateRollOverImage();
}

void TCWindowButton::mouseExited(const Event& event)
{
    Button::mouseExited(event);
    if (holdsPointer_) {
        holdsPointer_ = false;
        group().didReleaseMousePointer();
    }
    updateRollOverImage();
}

void TCWindowButton::viewDidMoveToWindow()
{
    for (auto& observation : windowObservations_)
        observation.reset();
    Window* w = window();
    if (!w)
        return;
    auto& center = platform::NotificationCenter::defaultCenter();
    const auto focus = [this](const platform::Notification&) { updateImage(); };
    windowObservations_[0] = center.addObserver(this, NSWindowDidBecomeKeyNotification, w, focus);
    windowObservations_[1] = center.addObserver(this, NSWindowDidResignKeyNotification, w, focus);
    windowObservations_[2] = center.addObserver(this, NSWindowWillEnterFullScreenNotification, w,
                                                [this](const platform::Notification&) {
                                                    group().resetMouseCaptures();
                                                    setHidden(true);
                                                });
    windowObservations_[3] = center.addObserver(this, NSWindowWillExitFullScreenNotification, w,
                                                [this](const platform::Notification&) {
                                                    group().resetMouseCaptures();
                                                    setHidden(false);
                                                });
    updateImage();
}

void TCWindowButton::viewDidEndLiveResize()
{
    Button::viewDidEndLiveResize();
    group().resetMouseCaptures();
}
