#include "AboutViewController.h"

#include "AppDelegate.h"

#include "controls/EUHandButton.h"
#include "utilities/GetColor.h"
#include "controls/PlainLabel.h"
#include "utilities/PublicUtilities.h"
#include "controls/TextImageButton.h"
#include "utilities/SettingsStore.h"

#include "platform/Platform.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/StringDrawing.h"
#include "platform/ui/TextField.h"

#include <QUrl>

#include <cmath>

using namespace platform::ui;

AboutViewController::AboutViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

void AboutViewController::loadView()
{
    AboutWC();
}

void AboutViewController::AboutWC()
{
    auto root = std::make_unique<View>(Rect(0, 0, 340, 266));
    const Color ink = getColor(51, 57, 81, 1);
    const Color link = getColor(38, 110, 230, 1);

    auto icon = std::make_unique<ImageView>(Rect(138, 182, 64, 64));
    icon->setImage(Image::imageNamed(QStringLiteral("AppIcon")));
    root->addSubview(std::move(icon));
    titleLabel_ = root->addSubview(makePlainLabel(Rect(20, 146, 300, 24), QStringLiteral("Tavrin"),
                                                  Font::fontWithName(PublicUtilities::getBoldFontName(), 17), ink,
                                                  TextAlignment::Center));
    const QString version = SettingsStore::valueForKey(QStringLiteral("LocVersion")).toString();
    root->addSubview(makePlainLabel(Rect(20, 124, 300, 18), QStringLiteral("Version ") + version,
                                    Font::fontWithName(PublicUtilities::getLightFontName(), 12), ink,
                                    TextAlignment::Center));

    const QString site = QUrl(QString::fromLatin1(AppDelegate::kMakerSite)).host();
    const Font linkFont = Font::fontWithName(PublicUtilities::getRegularFontName(), 13);
    // The link and its underline are as wide as the text, centred.
    const double width = std::ceil(sizeWithAttributes(site, {std::nullopt, linkFont, std::nullopt}).width);
    const double x = std::round((340 - width) / 2);
    auto button = std::make_unique<EUHandButton>(Rect(x - 2, 92, width + 4, 20)); // the cell insets its title by 2
    button->setBordered(false);
    AttributedString title(site);
    title.addForegroundColor(link, {0, site.size()});
    title.addFont(linkFont, {0, site.size()});
    button->setAttributedTitle(title);
    button->setAlignment(TextAlignment::Center);
    button->setAction([this](Button&) { linkButtonAction(); });
    aboutlink_ = root->addSubview(std::move(button));

    auto line = std::make_unique<TextField>(Rect(x, 93, width, 1));
    line->setBordered(false);
    line->setEditable(false);
    line->setSelectable(false);
    line->setBackgroundColor(link);
    line->setDrawsBackground(true);
    aboutlinkLine_ = root->addSubview(std::move(line));

    root->addSubview(makePlainLabel(Rect(20, 64, 300, 16), QStringLiteral("Copyright © Brenlow. All rights reserved."),
                                    Font::fontWithName(PublicUtilities::getLightFontName(), 10), ink,
                                    TextAlignment::Center));
    closeButton_ = root->addSubview(
        TextImageButton::withImageSet(Rect(122, 16, 96, 30), QStringLiteral("btn_cancel"), QStringLiteral("Close"), true,
                                      [this] { closeWindow(); }));
    setView(std::move(root));
}

void AboutViewController::linkButtonAction()
{
    platform::Platform::current().workspace->openURL(
        QUrl(QString::fromLatin1(AppDelegate::kMakerSite) + QString::fromLatin1(kProductPagePath)));
}
