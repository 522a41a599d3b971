#include "TextImageButton.h"

#include "utilities/PublicUtilities.h"

using namespace platform::ui;

TextImageButton::TextImageButton(const Rect& frame)
    : StateImageButton(frame)
{
}

TextImageButton::TextImageButton(LoadedFromInterfaceFile, const Rect& frame)
    : StateImageButton(frame)
{
    setIsDisabled(false);
}

void TextImageButton::imagesLoaded()
{
    const Rect images(0, 0, frame().width(), frame().height());
    setDstRect(images);
    setSrcRect(images);
}

void TextImageButton::setTextWithName(const QString& title, double fontSize)
{
    if (!textField()) {
        const double height = TextImageButtonRules::labelHeight(fontSize);
        const bool regular = TextImageButtonRules::usesRegularFace(fontSize, normalImage().name());
        const QString face = regular ? PublicUtilities::getRegularFontName() : PublicUtilities::getLightFontName();
        auto label = std::make_unique<TextField>(TextImageButtonRules::labelFrame(bounds(), height));
        label->setFont(Font::fontWithName(face, fontSize));
        label->setBackgroundColor(Color::clearColor());
        label->setAlignment(TextAlignment::Center);
        label->setBordered(false);
        label->setEditable(false);
        label->setSelectable(false); // clicks on the title are the button's
        setLabel(std::move(label));
    }
    textField()->setStringValue(title);
    setFocusRingType(FocusRingType::None);
}

Color TextImageButton::labelColorFor(ImageButtonLook look) const
{
    return TextImageButtonRules::labelColor(look, imageNames());
}

std::unique_ptr<TextImageButton> TextImageButton::withImageSet(const Rect& frame, const QString& set,
                                                               const QString& title, bool enabled,
                                                               std::function<void()> action)
{
    // The one set whose resting image has a name of its own.
    const QString normal = set == QLatin1String("btn_secl") ? QStringLiteral("btn_secl_normal") : set;
    auto button = std::make_unique<TextImageButton>(frame);
    button->setImageFromFileNormalName(normal, set + QStringLiteral("_press"), set + QStringLiteral("_hover"),
                                       set + QStringLiteral("_disable"));
    button->setTextWithName(title, 12);
    button->setButtonEnabled(enabled);
    button->setAction([action = std::move(action)](Button&) { action(); });
    return button;
}
