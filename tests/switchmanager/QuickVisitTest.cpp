#include "controls/CustemButtonView.h"
#include "switchmanager/QuickVisitViewController.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"
#include "WorkspaceFakes.h"

#include "platform/simulated/SimulatedMac.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

using namespace platform;
using namespace platform::ui;
using namespace Qt::StringLiterals;

namespace {

class QuickVisitTest : public ::testing::Test, public QuickVisitVCDelegate {
protected:
    void closeWindowAction() override { ++closes; }

    static void clickAll(QuickVisitViewController& controller)
    {
        controller.view();
        for (CustemButtonView* tile : {controller.backToDesktopBut(), controller.energySetBut(), controller.terminalBut(),
                                       controller.launchpadBut(), controller.applicationsBut(), controller.myDocBut(),
                                       controller.systemBut(), controller.diskUtiBut()})
            tile->openButtonAction();
    }
    void remove(const QString& macPath) { QDir(tp->simulatedMac->pathOnMac(macPath)).removeRecursively(); }

    test::TestPlatform tp;
    test::FakeSystemVersion* version = test::install<test::FakeSystemVersion>(tp->systemVersion);
    test::FakeWorkspace* workspace = test::install<test::FakeWorkspace>(tp->workspace);
    int closes = 0;
};

} // namespace

TEST_F(QuickVisitTest, EachTileOpensItsTargetForTheOsVersionAndTheSecondPlaceWhenTheFirstIsMissing)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString panes = u"/System/Library/PreferencePanes/"_s;
    const struct {
        const char* version;
        QStringList missing;     // seeded bundles taken away
        QStringList present;     // bundles added
        QString energy, terminal, system, systemName;
    } cases[] = {
        {"10.15.7", {}, {}, u"EnergySaver.prefPane"_s, u"/System/Applications/Utilities/Terminal.app"_s,
         u"/System/Applications/System Preferences.app"_s, u"System Preferences"_s},
        {"11.0.1", {}, {u"/Applications/Utilities/Terminal.app"_s, u"/Applications/System Preferences.app"_s},
         u"Battery.prefPane"_s, u"/Applications/Utilities/Terminal.app"_s, u"/Applications/System Preferences.app"_s,
         u"System Preferences"_s},
        {"14.1", {u"/System/Applications/System Preferences.app"_s}, {}, u"Battery.prefPane"_s,
         u"/System/Applications/Utilities/Terminal.app"_s, u"/System/Applications/System Settings.app"_s,
         u"System Settings"_s},
        {"14.1", {u"/System/Applications/System Preferences.app"_s, u"/System/Applications/System Settings.app"_s}, {},
         u"Battery.prefPane"_s, u"/System/Applications/Utilities/Terminal.app"_s,
         u"/System/Applications/System Settings.app"_s, u"System Settings"_s},
    };
    for (const auto& c : cases) {
        version->setVersion(QString::fromLatin1(c.version));
        for (const QString& path : c.missing)
            remove(path);
        for (const QString& path : c.present)
            QDir().mkpath(tp->simulatedMac->pathOnMac(path));
        const auto before = workspace->requests().size();
        QuickVisitViewController controller;
        clickAll(controller);
        QStringList opened;
        for (const auto& request : workspace->requests().mid(before))
            opened << (request.operation == u"hideOtherApplications"_s ? u"hide"_s : QUrl(request.target).toLocalFile());
        EXPECT_EQ(opened, (QStringList{u"hide"_s, panes + c.energy, c.terminal, u"/System/Applications/Launchpad.app"_s,
                                       u"/Applications/"_s, documents, c.system,
                                       u"/System/Applications/Utilities/Disk Utility.app"_s}))
            << c.version;
        EXPECT_EQ(controller.systemBut()->name(), c.systemName) << c.version;
        for (const QString& path : c.present)
            remove(path);
    }
}

TEST_F(QuickVisitTest, BackToDesktopHidesTheOtherApplicationsAndTellsTheDelegateWhenThereIsOne)
{
    QuickVisitViewController withoutDelegate;
    withoutDelegate.view();
    withoutDelegate.backToDesktopBut()->openButtonAction();
    QuickVisitViewController controller;
    controller.setDelegate(this);
    controller.view();
    controller.backToDesktopBut()->openButtonAction();
    EXPECT_EQ(workspace->requests().size(), 2);
    EXPECT_EQ(closes, 1);
}

TEST_F(QuickVisitTest, TheTabRendersItsEightTilesInsideTheTab)
{
    QuickVisitViewController controller;
    View& view = *controller.view();
    Window window(Rect(0, 0, 408, 528), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
    window.setBackgroundColor(Color::whiteColor());
    window.contentView()->addSubview(view);
    view.setFrame(Rect(0, 0, 408, 528)); // as the tab places it
    const QImage image = window.renderToImage();
    image.save(test::artifactPath(u"switchmanager-quick-visit.png"_s));
    EXPECT_EQ(controller.backToDesktopBut()->frame(), Rect(16, 472, 384, 40)) << "16 below the top";
    EXPECT_NE(image.pixelColor(20, 528 - 492), QColor(Qt::white)) << "the first tile's card";
}
