#include "UninstallProgressViewController.h"

#include "AppListParts.h"
#include "UninstallProgressDelegate.h"
#include "UninstallRules.h"

#include "controls/EUProgressView.h"
#include "controls/TextImageButton.h"

#include "utilities/PublicUtilities.h"

#include "platform/ui/TextField.h"

using namespace platform::ui;

UninstallProgressViewController::UninstallProgressViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

void UninstallProgressViewController::loadView()
{
    UninstallProgressViewControllerView();
}

void UninstallProgressViewController::UninstallProgressViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 560, 180));
    const Font title = Font::fontWithName(PublicUtilities::getRegularFontName(), 15);
    const Font light = Font::fontWithName(PublicUtilities::getLightFontName(), 12);

    auto progress = std::make_unique<View>(Rect(0, 0, 560, 180));
    progress->addSubview(AppListParts::label(Rect(24, 136, 512, 22), QStringLiteral("Uninstalling"), title));
    pathLabel_ = progress->addSubview(AppListParts::label(Rect(24, 86, 512, 18), QString(), light));
    progressView_ = root->addSubview(std::move(progress));

    auto end = std::make_unique<View>(Rect(0, 0, 560, 180));
    auto message = AppListParts::label(Rect(24, 64, 512, 92), QString(), Font::fontWithName(PublicUtilities::getRegularFontName(), 14));
    message->setLineBreakMode(LineBreakMode::ByWordWrapping);
    messageLabel_ = end->addSubview(std::move(message));
    okButton_ = end->addSubview(std::make_unique<TextImageButton>(Rect(440, 16, 96, 30)));
    end->setHidden(true);
    endView_ = root->addSubview(std::move(end));
    setView(std::move(root));
}

void UninstallProgressViewController::awakeFromNib()
{
    auto bar = std::make_unique<EUProgressView>(Rect(24, 118, 512, 4));
    bar->changeProgressValue(0);
    bar->setAutoresizingMask(ViewWidthSizable);
    aProgressView_ = progressView_->addSubview(std::move(bar));
    okButton_->setImageFromFileNormalName(QStringLiteral("btn_sec"), QStringLiteral("btn_sec_press"),
                                          QStringLiteral("btn_sec_hover"), QStringLiteral("btn_sec_disable"));
    okButton_->setTextWithName(QStringLiteral("OK"), 12);
    okButton_->setButtonEnabled(true);
    okButton_->setAction([this](Button&) { okButtonAction(); });
}

void UninstallProgressViewController::changeProgressValue(int32_t percent, const QString& path)
{
    view(); // the outlets exist once the view has loaded
    aProgressView_->changeProgressValue(float(percent));
    pathLabel_->setStringValue(path);
    if (percent >= 100) {
        progressView_->setHidden(true);
        endView_->setHidden(false);
    }
}

void UninstallProgressViewController::changeLabel(const QString& freedSize, int32_t failed)
{
    view();
    messageLabel_->setStringValue(UninstallRules::resultText(freedSize, failed));
}

void UninstallProgressViewController::okButtonAction()
{
    closeWindow();
}

void UninstallProgressViewController::closeWindow()
{
    PopViewController::closeWindow();
    if (delegate_)
        delegate_->uninstallEnd();
}
