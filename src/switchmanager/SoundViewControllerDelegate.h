#pragma once

// Hears whether the volume pane's sound is audible.
class SoundViewControllerDelegate {
public:
    virtual ~SoundViewControllerDelegate() = default;

    virtual void changeSoundIcon(bool audible) = 0;
};
