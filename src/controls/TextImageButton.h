#pragma once

#include "StateImageButton.h"

#include <memory>

#include <functional>

// The tools' standard push button: four named state images filling the button and a centred
// title whose face and colour follow the image set. One made in code works at once; one
// loaded from an interface file starts with its own switch off (it draws disabled and ignores
// clicks) until setButtonEnabled(true).
class TextImageButton : public StateImageButton {
public:
    struct LoadedFromInterfaceFile {};

    explicit TextImageButton(const platform::ui::Rect& frame);
    TextImageButton(LoadedFromInterfaceFile, const platform::ui::Rect& frame);

    // A button of one of the standard image sets ("btn_sec", "btn_secl", ...): the set's four
    // images, a 12-point title, its own enabled switch and the action.
    static std::unique_ptr<TextImageButton> withImageSet(const platform::ui::Rect& frame, const QString& set,
                                                         const QString& title, bool enabled,
                                                         std::function<void()> action);

    // Makes the label on the first call (its font and frame stay from then on) and sets its text
    // on every call. Send it after the images: the face depends on the normal image's name.
    void setTextWithName(const QString& title, double fontSize);

protected:
    platform::ui::Color labelColorFor(ImageButtonLook look) const override;
    void imagesLoaded() override;
};
