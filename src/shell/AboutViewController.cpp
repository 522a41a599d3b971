#include "AboutViewController.h"

#include "AppDelegate.h"

#include "EUHandButton.h"
#include "GetColor.h"
#include "PlainLabel.h"
#include "PublicUtilities.h"
#include "SettingsStore.h"

#include "platform/Platform.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/TextField.h"

#include <QUrl>

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
    auto root = std::make_unique<View>(Rect(0, 0, 340, 230));
    const Color ink = getColor(51, 57, 81, 1);
    const Color link = getColor(38, 110, 230, 1);

    auto icon = std::make_unique<ImageView>(Rect(138, 146, 64, 64));
    icon->setImage(Image::imageNamed(QStringLiteral("AppIcon")));
    root->addSubview(std::move(icon));
    titleLabel_ = root->addSubview(makePlainLabel(Rect(20, 110, 300, 24), QStringLiteral("Tavrin"),
                                                  Font::fontWithName(PublicUtilities::getBoldFontName(), 17), ink,
                                                  TextAlignment::Center));
    const QString version = SettingsStore::valueForKey(QStringLiteral("LocVersion")).toString();
    root->addSubview(makePlainLabel(Rect(20, 88, 300, 18), QStringLiteral("Version ") + version,
                                    Font::fontWithName(PublicUtilities::getLightFontName(), 12), ink,
                                    TextAlignment::Center));

    const QString site = QUrl(QString::fromLatin1(AppDelegate::kMakerSite)).host();
    auto button = std::make_unique<EUHandButton>(Rect(95, 40, 150, 20));
    button->setBordered(false);
    AttributedString title(site);
    title.addForegroundColor(link, {0, site.size()});
    title.addFont(Font::fontWithName(PublicUtilities::getRegularFontName(), 13), {0, site.size()});
    button->setAttributedTitle(title);
    button->setAlignment(TextAlignment::Center);
    button->setAction([this](Button&) { linkButtonAction(); });
    aboutlink_ = root->addSubview(std::move(button));

    auto line = std::make_unique<TextField>(Rect(120, 41, 100, 1));
    line->setBordered(false);
    line->setEditable(false);
    line->setSelectable(false);
    line->setBackgroundColor(link);
    line->setDrawsBackground(true);
    aboutlinkLine_ = root->addSubview(std::move(line));

    root->addSubview(makePlainLabel(Rect(20, 12, 300, 16), QStringLiteral("Copyright © Brenlow. All rights reserved."),
                                    Font::fontWithName(PublicUtilities::getLightFontName(), 10), ink,
                                    TextAlignment::Center));
    setView(std::move(root));
}

void AboutViewController::linkButtonAction()
{
    platform::Platform::current().workspace->openURL(
        QUrl(QString::fromLatin1(AppDelegate::kMakerSite) + QString::fromLatin1(kProductPagePath)));
}
