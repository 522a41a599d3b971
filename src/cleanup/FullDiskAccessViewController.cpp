#include "FullDiskAccessViewController.h"

#include "controls/PlainLabel.h"
#include "FullDiskAccessAuthorizer.h"

#include "controls/TextImageButton.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

using namespace platform::ui;

FullDiskAccessViewController::FullDiskAccessViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

void FullDiskAccessViewController::loadView()
{
    FullDiskAccessViewControllerView();
}

void FullDiskAccessViewController::FullDiskAccessViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 376, 176));
    const Color ink = getColor(51, 57, 81, 1);
    root->addSubview(makePlainLabel(Rect(24, 134, 328, 22), QStringLiteral("Full Disk Access Required"),
                                      Font::fontWithName(PublicUtilities::getRegularFontName(), 15), ink));
    auto message = makePlainLabel(
        Rect(24, 58, 328, 68),
        QStringLiteral("To empty the Trash, Tavrin needs Full Disk Access. Open the privacy settings, "
                       "allow Tavrin in the Full Disk Access list, then press Empty again."),
        Font::fontWithName(PublicUtilities::getLightFontName(), 13), ink);
    message->setLineBreakMode(LineBreakMode::ByWordWrapping);
    root->addSubview(std::move(message));

    auto close = std::make_unique<TextImageButton>(Rect(150, 14, 96, 30));
    close->setImageFromFileNormalName(QStringLiteral("btn_cancel"), QStringLiteral("btn_cancel_press"),
                                      QStringLiteral("btn_cancel_hover"), QStringLiteral("btn_cancel_disable"));
    close->setTextWithName(QStringLiteral("Cancel"), 14);
    close->setAction([this](Button&) { closeWindow(); });
    closeButton_ = root->addSubview(std::move(close));

    auto open = std::make_unique<TextImageButton>(Rect(256, 14, 96, 30));
    open->setImageFromFileNormalName(QStringLiteral("btn_main"), QStringLiteral("btn_main_press"),
                                     QStringLiteral("btn_main_hover"), QStringLiteral("btn_main_disable"));
    open->setTextWithName(QStringLiteral("Open"), 14);
    open->setAction([this](Button&) { openSetView(); });
    openButton_ = root->addSubview(std::move(open));
    setView(std::move(root));
}

void FullDiskAccessViewController::openSetView()
{
    FullDiskAccessAuthorizer::sharedInstance().requestAuthorization();
}
