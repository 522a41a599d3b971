#include "FormatEndViewController.h"

#include "controls/PlainLabel.h"
#include "controls/TextImageButton.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/ui/TextField.h"

using namespace platform::ui;

FormatEndViewController::FormatEndViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

void FormatEndViewController::loadView()
{
    FormatEndViewControllerView();
}

void FormatEndViewController::FormatEndViewControllerView()
{
    const Color ink = getColor(51, 57, 81, 1);
    auto root = std::make_unique<View>(Rect(0, 0, 320, 150));
    titleLabel_ = root->addSubview(makePlainLabel(Rect(20, 110, 280, 22), QStringLiteral("Format complete"),
                                                  Font::fontWithName(PublicUtilities::getRegularFontName(), 15), ink,
                                                  TextAlignment::Center));
    auto message = makePlainLabel(Rect(20, 58, 280, 44), QStringLiteral("The volume has been formatted."),
                                  Font::fontWithName(PublicUtilities::getLightFontName(), 12), ink, TextAlignment::Center);
    message->setLineBreakMode(LineBreakMode::ByWordWrapping);
    messageLabel_ = root->addSubview(std::move(message));
    auto close = std::make_unique<TextImageButton>(Rect(110, 14, 100, 32));
    close->setImageFromFileNormalName(QStringLiteral("format_pril_normal"), QStringLiteral("format_pril_press"),
                                      QStringLiteral("format_pril_hover"), QStringLiteral("format_pril_disable"));
    close->setTextWithName(QStringLiteral("OK"), 14);
    close->setButtonEnabled(true);
    close->setAction([this](Button&) { closeWindow(); });
    closeButton_ = root->addSubview(std::move(close));
    setView(std::move(root));
}

void FormatEndViewController::setOutcome(bool succeeded, const QString& detail)
{
    view();
    titleLabel_->setStringValue(succeeded ? QStringLiteral("Format complete") : QStringLiteral("Format failed"));
    messageLabel_->setStringValue(detail);
}
