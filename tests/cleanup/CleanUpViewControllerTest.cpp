#include "cleanup/CleanUpViewController.h"
#include "cleanup/DownloadViewController.h"
#include "cleanup/FullDiskAccessViewController.h"
#include "CleanupTestSupport.h"
#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "PlatformTest.h"
#include "ShellFakes.h"
#include "WorkspaceFakes.h"
#include "controls/TextImageButton.h"
#include "ManualDispatcher.h"
#include "platform/ui/TextField.h"
#include "platform/Platform.h"
#include "platform/folders/SearchPaths.h"
#include "platform/identity/UserIdentity.h"
#include "platform/scripts/SimulatedScriptRunner.h"
#include <QDir>

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

TEST_F(CleanUpTest, EmptyChecksAccessFrom1014AndEmptiesInTheBackgroundBehindTheSheet)
{
    enum class Probe { Listable, Absent, Unlistable };
    const struct {
        const char* version;
        Probe probe;
        bool prompt; // else the removal sheet while the Trash empties
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
        bool sheet = false;
        EXPECT_TRUE(test::showsModal([&] { tab.emptyTrash(); }, [&] {
            sheet = tab.isEmptying();
            EXPECT_EQ(trash->emptyings, 0) << "emptied on the main thread";
            platform.dispatcher().drainAll(); // the end closes the sheet
        }));
        EXPECT_EQ(sheet, !c.prompt);
        EXPECT_FALSE(tab.isEmptying());
        EXPECT_EQ(trash->emptyings, c.emptyings);
        ASSERT_EQ(scripts->requests().size(), c.scripts);
        EXPECT_TRUE(!c.scripts || scripts->requests()[0].text.endsWith(QStringLiteral("/RTrash.scpt")));
        QFile::remove(probeFolder());
        QDir().mkpath(probeFolder());
    }
}

TEST_F(CleanUpTest, CleanScansTheDownloadsFolderOnlyWhenItIsOneAndShowsNothingWhenItIsMissing)
{
    const QString other = QDir::cleanPath(QDir::homePath() + "/../other-user");
    test::install<test::FakeUserIdentity>(platform->identity)->homes = {"/nowhere", other};
    const QString mac = platform->searchPaths->pathOnMac(
        QStringLiteral("/Users/%1/Downloads").arg(platform->identity->userName()));
    const QString home = QDir::homePath(), elsewhere = test::makeTemporaryFolder(), none = QStringLiteral("none");
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs");
    const struct {
        const char* version;
        QByteArray userDirs;
        QString make; // a folder, or "name>target" a link
        QString seen; // the scanned folder; `none`: the cleaner's empty state; null: nothing shown
    } cases[] = {
        {"10.9.5", "", mac, mac}, // below 10.10 the Mac's /Users/<login>/Downloads, whatever the home
        {"10.15.7", "", home + "/Downloads", home + "/Downloads"},
        {"10.15.7", "", QString(), QString()}, // a missing folder shows nothing and starts no scan
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/Down \\$x\"", home + "/Down $x", home + "/Down $x"},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/dl\"", home + "/dl>" + elsewhere, home + "/dl"},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/\"", QString(), none},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"/\"", QString(), none},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/..\"", QString(), none},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/Docs\"\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"", home + "/Docs", none},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/dl\"", home + "/dl>" + home + "/Documents", none},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/.bashrc\"", QString(), none},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/../other-user\"", other, none}, // another account's home
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/.config\"", QString(), none},
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"" + qgetenv("XDG_DATA_HOME") + "\"", QString(), none}, // it holds the Trash
        {"10.15.7", "XDG_DOWNLOAD_DIR=\"$HOME/dl\"", home + "/dl>/proc/self", none},
        {"10.15.7", "XDG_DOCUMENTS_DIR=\"$HOME/\"\nXDG_DOWNLOAD_DIR=\"$HOME/Documents\"", QString(), none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.userDirs.constData());
        setVersion(c.version);
        for (const QString& made : {mac, home + "/Downloads", home + "/Down $x", home + "/Docs"})
            QDir(made).removeRecursively();
        QFile::remove(home + "/dl");
        // Beside the folders: a file, and what a reader that ignores escapes would take.
        ASSERT_TRUE(QDir().mkpath(home + "/Documents") && QDir().mkpath(home + "/Down \\$x") && test::writeFile(home + "/.bashrc", "x"));
        ASSERT_TRUE(test::writeFile(config, c.userDirs));
        const qsizetype link = c.make.indexOf('>');
        ASSERT_TRUE(c.make.isEmpty() || (link < 0 ? QDir().mkpath(c.make) : QFile::link(c.make.mid(link + 1), c.make.left(link))));
        QString seen;
        test::showsModal([&] { tab.cleanDownload(); platform.dispatcher().drainAll(); }, [&] {
            DownloadViewController& cleaner = *tab.downloadWC();
            seen = cleaner.noFolderLabel()->isHiddenOrHasHiddenAncestor() ? cleaner.filePath() : none;
            cleaner.setAllSelectOrNoSelect(); // nothing can be ticked in the empty state
            EXPECT_TRUE(seen != none || (cleaner.rootNodeArr().empty() && cleaner.selectAllButSt() == 0));
            cleaner.closeWindowAction();
        });
        EXPECT_EQ(seen, c.seen);
        EXPECT_FALSE(tab.downloadWC()->isScan());
    }
    QFile::remove(config);
    QFile::remove(home + "/dl");
}
