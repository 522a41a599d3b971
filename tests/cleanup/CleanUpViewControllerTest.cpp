#include "CleanUpViewController.h"
#include "DownloadViewController.h"
#include "FullDiskAccessViewController.h"
#include "CleanupTestSupport.h"
#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "PlatformTest.h"
#include "WorkspaceFakes.h"
#include "platform/Platform.h"
#include "platform/folders/SearchPaths.h"
#include "platform/identity/UserIdentity.h"
#include "platform/scripts/SimulatedScriptRunner.h"
#include <QDir>
#include <QStandardPaths>

using namespace platform::ui;

namespace {

class CleanUpTest : public test::PlatformTest {
protected:
    void SetUp() override
    {
        trash = test::install<test::AnsweringTrash>(platform->trash);
        test::install<test::FakeWorkspace>(platform->workspace);
        scripts = test::install<platform::SimulatedScriptRunner>(platform->scripts);
    }
    void setVersion(const char* version)
    {
        static_cast<test::FakeSystemVersion&>(*platform->systemVersion).setVersion(QString::fromLatin1(version));
    }
    QString probeFolder() { return platform->searchPaths->homeDirectory() + QStringLiteral("/Library/Safari"); }
    test::AnsweringTrash* trash = nullptr;
    platform::SimulatedScriptRunner* scripts = nullptr;
    CleanUpViewController tab;
};

} // namespace

TEST_F(CleanUpTest, EmptyChecksAccessFrom1014AndRunsTheScriptOnlyThere)
{
    enum class Probe { Listable, Absent, Unlistable };
    const struct {
        const char* version;
        Probe probe;
        bool prompt;
        int emptyings;
        std::size_t scripts;
    } cases[] = {
        {"10.13.6", Probe::Absent, false, 1, 0},  // no probe before 10.14
        {"10.13.6", Probe::Unlistable, false, 1, 0},
        {"10.14", Probe::Listable, false, 1, 1},  // the seeded probe folder is empty and counts
        {"10.14", Probe::Absent, true, 0, 0},
        {"10.15.7", Probe::Unlistable, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " probe " + std::to_string(int(c.probe)));
        SetUp();
        setVersion(c.version);
        ASSERT_TRUE(QDir(probeFolder()).exists());
        if (c.probe != Probe::Listable)
            QDir(probeFolder()).removeRecursively();
        // A file where the folder should be is there but cannot be listed, as a folder the program is denied.
        ASSERT_TRUE(c.probe != Probe::Unlistable || test::writeFile(probeFolder(), "x"));
        EXPECT_EQ(test::showsModal([&] { tab.emptyTrash(); }), c.prompt);
        EXPECT_EQ(trash->emptyings, c.emptyings);
        ASSERT_EQ(scripts->requests().size(), c.scripts);
        EXPECT_TRUE(!c.scripts || scripts->requests()[0].text.endsWith(QStringLiteral("/RTrash.scpt")));
        QFile::remove(probeFolder());
        QDir().mkpath(probeFolder());
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
        ASSERT_TRUE(!c.exists || QDir().mkpath(c.folder));
        QString scanned;
        const bool shown = test::showsModal([&] { tab.cleanDownload(); }, [&] {
            scanned = tab.downloadWC()->filePath();
            tab.downloadWC()->closeWindowAction();
        });
        EXPECT_EQ(shown, c.exists);
        EXPECT_EQ(scanned, c.exists ? c.folder : QString());
        EXPECT_FALSE(tab.downloadWC()->isScan());
    }
}
