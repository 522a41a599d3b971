#include "QuickVisitViewController.h"

#include "AboutThisMac/AboutThisMacViewController.h"
#include "controls/CustemButtonView.h"
#include "PopWindow/ModalPopUp.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/identity/UserIdentity.h"
#include "platform/ui/Image.h"
#include "platform/workspace/Workspace.h"

#include <QUrl>

using namespace platform::ui;

namespace {

struct Tile {
    const char* name;
    const char* icon;
    void (QuickVisitViewController::*backAction)();
};

const Tile kTiles[] = {
    {"Back to Desktop", "ic_desktop", &QuickVisitViewController::doBackToDesktop},
    {"Energy Settings", "ic_energy", &QuickVisitViewController::doOpenEnergySet},
    {"Terminal", "ic_terminal", &QuickVisitViewController::doOpenTerminal},
    {"Launchpad", "ic_launchpad", &QuickVisitViewController::doOpenLaunchpad},
    {"Applications", "ic_apps", &QuickVisitViewController::doOpenApplications},
    {"My Documents", "ic_docs", &QuickVisitViewController::doOpenMyDocuments},
    {"System Preferences", "ic_setting", &QuickVisitViewController::doOpenSystemPrerence},
    {"Disk Utility", "ic_disk_but", &QuickVisitViewController::doOpenDiskUtiliy},
};

// The column as laid out: the first tile's y, the step down, the view's height (the tab then
// fits it to its own, the tiles keeping their distance to the top).
constexpr double kFirstTileY = 528;
constexpr double kTileStep = 44;
constexpr double kViewHeight = 584;

platform::Platform& current()
{
    return platform::Platform::current();
}

} // namespace

QuickVisitViewController::QuickVisitViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

QuickVisitViewController::~QuickVisitViewController() = default;

void QuickVisitViewController::loadView()
{
    QuickVisitViewControllerView();
}

void QuickVisitViewController::QuickVisitViewControllerView()
{
    setView(std::make_unique<View>(Rect(0, 0, 408, kViewHeight)));
}

void QuickVisitViewController::awakeFromNib()
{
    CustemButtonView** fields[] = {&backToDesktopBut_, &energySetBut_, &terminalBut_, &launchpadBut_,
                                   &applicationsBut_,  &myDocBut_,     &systemBut_,   &diskUtiBut_};
    const bool settings = PublicUtilities::getSystemVersion() >= 1400;
    for (std::size_t i = 0; i < std::size(kTiles); ++i) {
        const Tile& tile = kTiles[i];
        auto button = std::make_unique<CustemButtonView>(Rect(16, kFirstTileY - kTileStep * double(i), 384, 40));
        button->setDelegate(this);
        button->setBackAction([this, action = tile.backAction] { (this->*action)(); });
        button->setIconImage(Image::imageNamed(QString::fromLatin1(tile.icon)));
        const bool systemTile = tile.backAction == &QuickVisitViewController::doOpenSystemPrerence;
        button->setName(systemTile && settings ? QStringLiteral("System Settings") : QString::fromLatin1(tile.name));
        button->setAutoresizingMask(ViewMinYMargin);
        *fields[i] = view()->addSubview(std::move(button));
    }
}

QString QuickVisitViewController::firstExisting(const QString& first, const QString& second)
{
    const QString onMac = current().searchPaths->pathOnMac(first);
    return !onMac.isEmpty() && current().fileManager->fileExistsAtPath(onMac) ? first : second;
}

void QuickVisitViewController::doOpenWithString(const QString& path)
{
    current().workspace->openURL(QUrl::fromLocalFile(path));
}

void QuickVisitViewController::doBackToDesktop()
{
    current().workspace->hideOtherApplications();
    if (delegate_)
        delegate_->closeWindowAction();
}

void QuickVisitViewController::doOpenEnergySet()
{
    doOpenWithString(PublicUtilities::getSystemVersion() < 1016
                         ? QStringLiteral("/System/Library/PreferencePanes/EnergySaver.prefPane")
                         : QStringLiteral("/System/Library/PreferencePanes/Battery.prefPane"));
}

void QuickVisitViewController::doOpenTerminal()
{
    doOpenWithString(firstExisting(QStringLiteral("/Applications/Utilities/Terminal.app"),
                                   QStringLiteral("/System/Applications/Utilities/Terminal.app")));
}

void QuickVisitViewController::doOpenLaunchpad()
{
    doOpenWithString(
        firstExisting(QStringLiteral("/Applications/Launchpad.app"), QStringLiteral("/System/Applications/Launchpad.app")));
}

void QuickVisitViewController::doOpenApplications()
{
    doOpenWithString(QStringLiteral("/Applications/"));
}

void QuickVisitViewController::doOpenMyDocuments()
{
    const QStringList documents = current().searchPaths->searchPathsForDirectory(
        platform::SearchPathDirectory::Documents, platform::SearchPathDomain::User, true);
    if (!documents.isEmpty())
        doOpenWithString(documents.first());
}

void QuickVisitViewController::doOpenSystemPrerence()
{
    const QString preferences = firstExisting(QStringLiteral("/Applications/System Preferences.app"),
                                              QStringLiteral("/System/Applications/System Preferences.app"));
    doOpenWithString(firstExisting(preferences, QStringLiteral("/System/Applications/System Settings.app")));
}

void QuickVisitViewController::doOpenDiskUtiliy()
{
    doOpenWithString(firstExisting(QStringLiteral("/Applications/Utilities/Disk Utility.app"),
                                   QStringLiteral("/System/Applications/Utilities/Disk Utility.app")));
}

void QuickVisitViewController::doOpenDesktop()
{
    doOpenWithString(QStringLiteral("/Users/%1/Desktop/").arg(current().identity->userName()));
}

void QuickVisitViewController::doOpenAbout()
{
    AboutThisMacViewController about(QStringLiteral("AboutThisMacViewController"));
    runModalPopUp(about);
}
