#pragma once

#include "TextImageButtonRules.h"

#include "platform/ui/Button.h"
#include "platform/ui/Event.h"
#include "platform/ui/Image.h"
#include "platform/ui/TextField.h"

#include <QString>

// What the four-image buttons share: four named state images drawn into one rectangle, a title
// label, a hover flag from a tracking rectangle, a pressed flag while a click is followed, and
// a switch of the button's own beside the platform's enabled state (`isDisabled`, which lets
// the button work when on). A button works only when both are on. Subclasses place the label
// and colour it.
class StateImageButton : public platform::ui::Button {
public:
    explicit StateImageButton(const platform::ui::Rect& frame);

    // Loads the four images by name (a name without an image leaves that image empty) and adds
    // a tracking rectangle over the present bounds.
    void setImageFromFileNormalName(const QString& normalName, const QString& activeName, const QString& hoverName,
                                    const QString& disableName);
    void setButtonEnabled(bool enabled);
    bool isFocus() const { return isFocus_; } // kept: named by the design, no caller yet
    void setIsFocus(bool focus) { isFocus_ = focus; } // kept: named by the design, no caller yet

    const platform::ui::Image& normalImage() const { return normalImage_; }
    const platform::ui::Image& activeImage() const { return activeImage_; } // kept: named by the design, no caller yet
    const platform::ui::Image& hoverImage() const { return hoverImage_; } // kept: named by the design, no caller yet
    const platform::ui::Image& disableImage() const { return disableImage_; } // kept: named by the design, no caller yet
    platform::ui::TextField* textField() const { return textField_; }
    // True while a click is being followed (hides the platform button's own flag).
    bool isTracking() const { return isTracking_; } // kept: named by the design, no caller yet
    // The button's own switch: true lets it work.
    bool isDisabled() const { return isDisabled_; } // kept: named by the design, no caller yet
    const platform::ui::Rect& dstRect() const { return dstRect_; }
    const platform::ui::Rect& srcRect() const { return srcRect_; }
    ImageButtonLook currentLook() const;

    void drawRect(const platform::ui::Rect& dirtyRect) override;
    void mouseDown(const platform::ui::Event& event) override;
    void mouseUp(const platform::ui::Event& event) override;
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;

protected:
    // The label colour of a look.
    virtual platform::ui::Color labelColorFor(ImageButtonLook look) const = 0;
    // Where the images go once they are loaded.
    virtual void imagesLoaded() = 0;
    virtual void drawStateImage(const platform::ui::Image& image) const;
    // Redraws now (the standard button) or at the next pass (the others).
    virtual void redraw() { display(); }
    // After a click was followed, with its mouse-down.
    virtual void clickTracked(const platform::ui::Event& /*mouseDown*/) {}

    TextImageButtonRules::ImageNames imageNames() const;
    void setDstRect(const platform::ui::Rect& rect) { dstRect_ = rect; }
    void setSrcRect(const platform::ui::Rect& rect) { srcRect_ = rect; }
    void setIsDisabled(bool value) { isDisabled_ = value; }
    // The label, a subview; a new one replaces the old.
    void setLabel(std::unique_ptr<platform::ui::TextField> label);
    // A label on the control colour, without border, that cannot be edited.
    static std::unique_ptr<platform::ui::TextField> controlLabel(const platform::ui::Rect& frame,
                                                                 platform::ui::TextAlignment alignment,
                                                                 const QString& title);

private:
    void finishClick(const platform::ui::Event& mouseDown);

    platform::ui::Image normalImage_;
    platform::ui::Image activeImage_;
    platform::ui::Image hoverImage_;
    platform::ui::Image disableImage_;
    platform::ui::TextField* textField_ = nullptr;
    bool isTracking_ = false;
    bool isFocus_ = false;
    bool isDisabled_ = true;
    platform::ui::Rect dstRect_;
    platform::ui::Rect srcRect_;
    bool awaitingRelease_ = false;
    platform::ui::Event pressEvent_;
};
