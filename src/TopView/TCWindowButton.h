#pragma once

#include "TCWindowButtonGroup.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"

#include <QString>

#include <array>
#include <memory>

// A title-bar button (close, minimise, zoom, full screen) showing one of four pictures: active
// in the key window, active in another window, disabled, and rolled over while its group holds
// the pointer. It hides while its window goes to full screen.
class TCWindowButton : public platform::ui::Button {
public:
    static std::unique_ptr<TCWindowButton> windowButtonWithSize(platform::ui::Size size, const QString& groupIdentifier); // kept: named by the design, no caller yet
    TCWindowButton(platform::ui::Size size, const QString& groupIdentifier);
    // A button that goes away holding the pointer (its window closed under it) releases it.
    ~TCWindowButton() override;

    const QString& groupIdentifier() const { return groupIdentifier_; }
    TCWindowButtonGroup& group() const { return TCWindowButtonGroup::groupWithIdentifier(groupIdentifier_); }

    const platform::ui::Image& activeImage() const { return activeImage_; } // kept: named by the design, no caller yet
    void setActiveImage(const platform::ui::Image& image) { activeImage_ = image; } // kept: named by the design, no caller yet
    const platform::ui::Image& activeNotKeyWindowImage() const { return activeNotKeyWindowImage_; } // kept: named by the design, no caller yet
    void setActiveNotKeyWindowImage(const platform::ui::Image& image) { activeNotKeyWindowImage_ = image; } // kept: named by the design, no caller yet
    const platform::ui::Image& inactiveImage() const { return inactiveImage_; } // kept: named by the design, no caller yet
    void setInactiveImage(const platform::ui::Image& image) { inactiveImage_ = image; } // kept: named by the design, no caller yet
    const platform::ui::Image& rolloverImage() const { return rolloverImage_; } // kept: named by the design, no caller yet
    void setRolloverImage(const platform::ui::Image& image) { rolloverImage_ = image; } // kept: named by the design, no caller yet
    // Shown while the button is held down.
    const platform::ui::Image& pressedImage() const { return alternateImage(); } // kept: named by the design, no caller yet
    void setPressedImage(const platform::ui::Image& image) { setAlternateImage(image); } // kept: named by the design, no caller yet

    platform::ui::TrackingArea* mouseTrackingArea() const { return mouseTrackingArea_.get(); } // kept: named by the design, no caller yet

    // Also shows the active or the inactive picture (call it on the window button itself).
    void setEnabled(bool enabled);

    void updateImage();
    void updateActiveImage();
    void updateRollOverImage();

    // The hover area is the bounds grown by 4 points on every side.
    void updateTrackingAreas() override;
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;
    // Follows the key state and the full-screen changes of the window it is in.
    void viewDidMoveToWindow() override;
    void viewDidEndLiveResize() override;

private:
    QString groupIdentifier_;
    platform::ui::Image activeImage_;
    platform::ui::Image activeNotKeyWindowImage_;
    platform::ui::Image inactiveImage_;
    platform::ui::Image rolloverImage_;
    std::shared_ptr<platform::ui::TrackingArea> mouseTrackingArea_;
    bool holdsPointer_ = false; // counted in the group; cleared when the group drops to 0
    platform::Observation groupObservation_;
    std::array<platform::Observation, 4> windowObservations_;
};
