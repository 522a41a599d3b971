#include "ProgressViewController.h"

#include "controls/PlainLabel.h"
#include "ProgressViewControllerDelegate.h"

#include "controls/EUProgressView.h"
#include "controls/TextImageButton.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/text/StringFormat.h"

using namespace platform::ui;

ProgressViewController::ProgressViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

void ProgressViewController::loadView()
{
    ProgressViewControllerView();
}

void ProgressViewController::ProgressViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 376, 140));
    const Color ink = getColor(51, 57, 81, 1);
    titleLabel_ = root->addSubview(makePlainLabel(Rect(24, 100, 328, 22), QStringLiteral("Removing Files"),
                                                    Font::fontWithName(PublicUtilities::getRegularFontName(), 15), ink));
    auto path = makePlainLabel(Rect(24, 72, 328, 18), QString(),
                                 Font::fontWithName(PublicUtilities::getLightFontName(), 12), getColor(122, 129, 153, 1));
    path->setLineBreakMode(LineBreakMode::ByTruncatingMiddle);
    pathLabel_ = root->addSubview(std::move(path));
    progressLabel_ = root->addSubview(makePlainLabel(Rect(252, 46, 100, 18), QStringLiteral("0%"),
                                                       Font::systemFontOfSize(12), ink, TextAlignment::Right));
    auto stop = std::make_unique<TextImageButton>(Rect(276, 6, 76, 26));
    stop->setImageFromFileNormalName(QStringLiteral("btn_sec"), QStringLiteral("btn_sec_press"),
                                     QStringLiteral("btn_sec_hover"), QStringLiteral("btn_sec_disable"));
    stop->setTextWithName(QStringLiteral("Stop"), 12);
    stop->setAction([this](Button&) { stopButtonAction(); });
    stopButton_ = root->addSubview(std::move(stop));
    setView(std::move(root));
}

void ProgressViewController::awakeFromNib()
{
    if (progressView_)
        return;
    auto bar = std::make_unique<EUProgressView>(Rect(24, 37, 328, 6));
    bar->changeProgressValue(0);
    bar->setAutoresizingMask(ViewWidthSizable);
    progressView_ = view()->addSubview(std::move(bar));
}

void ProgressViewController::changeProgressValue(int32_t percent, const QString& path)
{
    view(); // the labels exist once the view has loaded
    pathLabel_->setStringValue(path);
    progressView_->changeProgressValue(float(percent));
    progressLabel_->setStringValue(platform::stringWithFormat("%d%%", percent));
    if (percent >= 100)
        closeWindow();
}

void ProgressViewController::stopButtonAction()
{
    if (delegate_)
        delegate_->stopRemove();
}
