#include "CleanExecCommand.h"
#include "CleanUpViewController.h"
#include "DownloadViewController.h"
#include "FullDiskAccessAuthorizer.h"
#include "FullDiskAccessViewController.h"

#include "CleanupUiFakes.h"

#include "Fakes.h"
#include "TestPlatform.h"
#include "IsolatedEnvironment.h"
#include "PlatformTest.h"
#include "UiTestSupport.h"
#include "WorkspaceFakes.h"

#include "CommandOutput.h"

#include "platform/Platform.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/identity/UserIdentity.h"
#include "platform/scripts/SimulatedScriptRunner.h"

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

class CleanUpTest : public test::PlatformTest {
protected:
    void SetUp() override
    {
        trash = test::install<test::AnsweringTrash>(platform->trash);
        workspace = test::install<test::FakeWorkspace>(platform->workspace);
        scripts = test::install<platform::SimulatedScriptRunner>(platform->scripts);
    }
    void setVersion(const char* version)
    {
        static_cast<test::FakeSystemVersion&>(*platform->systemVersion).setVersion(QString::fromLatin1(version));
    }
    QString probeFolder() { return platform->searchPaths->homeDirectory() + QStringLiteral("/Library/Safari"); }

    // Runs the action; whether it showed a modal pop-up (closed at once by `inside`).
    bool showsPopUp(const std::function<void()>& action, const std::function<void()>& inside = {})
    {
        bool shown = false;
        QTimer::singleShot(0, qApp, [&] {
            if (Window* window = NSApp().modalWindow()) {
                shown = true;
                if (inside)
                    inside();
                if (NSApp().modalWindow() == window)
                    window->close();
            }
        });
        action();
        QCoreApplication::processEvents(); // the check runs even when nothing was shown
        return shown;
    }

    test::AnsweringTrash* trash = nullptr;
    test::FakeWorkspace* workspace = nullptr;
    platform::SimulatedScriptRunner* scripts = nullptr;
    CleanUpViewController tab;
};

} // namespace

TEST_F(CleanUpTest, EmptyChecksAccessFrom1014AndRunsTheScriptOnlyThere)
{
    enum class Probe { Listable, Absent, Denied };
    const struct {
        const char* version;
        Probe probe;
        bool prompt;
        int emptyings;
        std::size_t scripts;
    } cases[] = {
        {"10.13.6", Probe::Absent, false, 1, 0},  // no probe before 10.14
        {"10.13.6", Probe::Denied, false, 1, 0},
        {"10.14", Probe::Listable, false, 1, 1},  // the seeded probe folder is empty and counts
        {"10.14", Probe::Absent, true, 0, 0},
        {"10.15.7", Probe::Denied, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " probe " + std::to_string(int(c.probe)));
        SetUp();
        setVersion(c.version);
        ASSERT_TRUE(QDir(probeFolder()).exists());
        if (c.probe == Probe::Absent) {
            ASSERT_TRUE(QDir(probeFolder()).removeRecursively());
        }
        std::unique_ptr<platform::FileCatalog> catalog;
        if (c.probe == Probe::Denied)
            catalog = std::exchange(platform->fileCatalog, std::make_unique<test::DeniedCatalog>());
        EXPECT_EQ(showsPopUp([&] { tab.emptyTrash(); }), c.prompt);
        EXPECT_EQ(trash->emptyings, c.emptyings);
        ASSERT_EQ(scripts->requests().size(), c.scripts);
        if (c.scripts) {
            EXPECT_TRUE(scripts->requests()[0].text.endsWith(QStringLiteral("/RTrash.scpt")));
        }
        if (catalog)
            platform->fileCatalog = std::move(catalog);
        QDir().mkpath(probeFolder());
    }
}

TEST_F(CleanUpTest, ThePromptOpensThePrivacySettingsFrom1014)
{
    const QUrl pane(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"));
    for (const auto& [version, opens] : {std::pair{"10.13.6", false}, std::pair{"10.14", true}}) {
        SCOPED_TRACE(version);
        SetUp();
        setVersion(version);
        FullDiskAccessViewController prompt;
        prompt.openSetView();
        const auto requests = workspace->requests();
        EXPECT_EQ(requests.size(), opens ? 1 : 0);
        if (opens) {
            EXPECT_EQ(requests[0].target, pane.toString());
        }
    }
}

TEST_F(CleanUpTest, CleanScansTheDownloadsFolderOfTheVersionAndNothingWhenItIsMissing)
{
    const QString mac = platform->searchPaths->pathOnMac(
        QStringLiteral("/Users/%1/Downloads").arg(platform->identity->userName()));
    const QString xdg = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const struct {
        const char* version;
        QString folder;
        bool exists;
    } cases[] = {
        {"10.9.5", mac, true},   // below 10.10 the Mac's /Users/<login>/Downloads, whatever the home
        {"10.15.7", xdg, true},  // then the user's real Downloads folder
        {"10.15.7", xdg, false}, // a missing folder shows nothing and starts no scan
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        setVersion(c.version);
        QDir(mac).removeRecursively();
        QDir(xdg).removeRecursively();
        if (c.exists) {
            ASSERT_TRUE(QDir().mkpath(c.folder));
        }
        QString scanned;
        const bool shown = showsPopUp([&] { tab.cleanDownload(); }, [&] {
            scanned = tab.downloadWC()->filePath();
            tab.downloadWC()->closeWindowAction();
        });
        EXPECT_EQ(shown, c.exists);
        EXPECT_EQ(scanned, c.exists ? c.folder : QString());
        EXPECT_FALSE(tab.downloadWC()->isScan());
    }
}

TEST(CleanExecCommandTest, RefusesNoCommandAndALineOverItsBufferWithoutRunningIt)
{
    test::TestPlatform platform;
    auto* runner = test::install<test::RecordingCommandRunner>(platform->commandRunner);
    const QString output = CommandOutput::outputPath(QStringLiteral("brenlow.plist"));
    ASSERT_FALSE(output.isEmpty());
    // "<command> > '<path>'" and its terminating zero in 2048 bytes.
    const int room = 2048 - 1 - 3 - 2 - int(output.toUtf8().size());
    EXPECT_TRUE(CleanExecCommand(QByteArray()).isNull());
    EXPECT_EQ(CleanExecCommand(QByteArray(room, 'x')), output);
    EXPECT_TRUE(CleanExecCommand(QByteArray(room + 1, 'x')).isNull());
    EXPECT_EQ(runner->calls().size(), 1u);
}
