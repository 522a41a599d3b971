#pragma once

#include "SoundViewControllerDelegate.h"

#include "platform/ui/ViewController.h"

class Slider;

namespace platform::ui {
class Button;
}

// The volume pop-up: a slider (0 to 100) over the master volume and a mute button whose image
// shows whether the sound is muted. It keeps no value of its own: every load reads the device.
class SoundViewController : public platform::ui::ViewController {
public:
    static constexpr const char* kVolumeImage = "ic_volume";
    static constexpr const char* kMutedImage = "ic_volume_no";

    explicit SoundViewController(QString nibName = QStringLiteral("SoundViewController"));
    ~SoundViewController() override;

    // Not owned: the host outlives its pane.
    SoundViewControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(SoundViewControllerDelegate* delegate) { delegate_ = delegate; }
    Slider* mySoundSlider() const { return mySoundSlider_; } // kept: named by the design, no caller yet
    platform::ui::Button* closeSoundButton() const { return closeSoundButton_; } // kept: named by the design, no caller yet

    // Shows the device's volume; below 1 on the slider's scale counts as muted.
    void loadSoundValue();
    void changeSound(Slider& sender);
    void closeSoundButtonAction();
    void changeSoundIcon(bool audible);
    // For a change of the device's volume made elsewhere: the icon only.
    void volumeChanged(); // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void SoundViewControllerView();
    void showMuted(bool muted);

    SoundViewControllerDelegate* delegate_ = nullptr;
    Slider* mySoundSlider_ = nullptr;
    platform::ui::Button* closeSoundButton_ = nullptr;
};
