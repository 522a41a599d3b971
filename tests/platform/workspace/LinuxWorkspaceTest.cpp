#include "platform/workspace/LinuxWorkspace.h"

#include "platform/process/LinuxProcessControl.h"
#include "platform/workspace/ProcessTable.h"

#include "FakeProcFolder.h"
#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "TestPlatform.h"

#include "platform/bundle/Bundle.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace platform;

namespace {

constexpr qint64 kSelf = 10;

void writeAt(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(test::writeFile(path, contents)) << path.toStdString();
}

struct Heard {
    QString name;
    QVariantMap userInfo;
    void* object = nullptr;
};

class LinuxWorkspaceTest : public ::testing::Test {
protected:
    LinuxWorkspaceTest()
    {
        commands = test::install<test::RecordingCommandRunner>(tp->commandRunner);
        proc->add(kSelf, 1, 50, QStringLiteral("/build/tests_platform_workspace"), {QStringLiteral("tests")});
    }

    LinuxWorkspace::Settings settings()
    {
        LinuxWorkspace::Settings s = LinuxWorkspace::defaultSettings(*tp->bundle);
        s.procFolder = proc;
        s.applicationFolders = {extraApplications, test::fixturePath(QStringLiteral("workspace/applications"))};
        s.locale = QStringLiteral("C");
        s.self.pid = kSelf;
        s.openOnDesktop = [this](const QUrl& url) {
            opened << url;
            return desktopAnswers;
        };
        s.startProgram = [this](const QStringList& arguments) {
            started << arguments;
            return true;
        };
        return s;
    }

    LinuxWorkspace& workspace()
    {
        if (!workspace_)
            workspace_ = std::make_unique<LinuxWorkspace>(settings());
        return *workspace_;
    }

    // Observes, and lets the first look (which only learns what runs) finish.
    platform::Observation listen(const QString& name)
    {
        platform::Observation observation =
            workspace().notificationCenter().addObserver(this, name, nullptr, [this](const platform::Notification& n) {
                heard.push_back({n.name, n.userInfo, n.object});
            });
        tp.dispatcher().drainAll();
        return observation;
    }

    void look()
    {
        workspace().poll();
        tp.dispatcher().drainAll();
    }

    QString onMac(const QString& macPath) { return tp->simulatedMac->pathOnMac(macPath); }

    test::TestPlatform tp;
    test::RecordingCommandRunner* commands = nullptr;
    std::shared_ptr<FakeProcFolder> proc = std::make_shared<FakeProcFolder>();
    QString extraApplications = test::makeTemporaryFolder(QStringLiteral("applications"));
    QList<QUrl> opened;
    QList<QStringList> started;
    bool desktopAnswers = true;
    std::vector<Heard> heard;
    std::unique_ptr<LinuxWorkspace> workspace_;
};

} // namespace

TEST_F(LinuxWorkspaceTest, ListsThisProgramAndTheApplicationsThatEntriesName)
{
    proc->add(100, 1, 1000, QStringLiteral("/opt/My Editor/bin/my-editor"), {QStringLiteral("my-editor")});
    proc->add(101, 100, 1010, QStringLiteral("/opt/My Editor/bin/my-editor"), {QStringLiteral("my-editor"), QStringLiteral("--type=helper")});
    proc->add(200, 1, 2000, QStringLiteral("/usr/bin/unrelated"), {QStringLiteral("unrelated")});

    const QList<QVariantMap> list = workspace().launchedApplications();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].value(NSApplicationPath).toString(), tp.bundlePath());
    EXPECT_EQ(list[0].value(NSApplicationProcessIdentifier).toLongLong(), kSelf);
    EXPECT_EQ(list[1].value(NSApplicationName).toString(), QStringLiteral("My Editor"));
    EXPECT_EQ(list[1].value(NSApplicationProcessIdentifier).toLongLong(), 100) << "the first process, not its helper";
    EXPECT_EQ(list[1].value(TavrinProcessStartTime).toLongLong(), 1000);
}

TEST_F(LinuxWorkspaceTest, EachLookPostsWhatLaunchedAndWhatQuit)
{
    proc->add(100, 1, 1000, QStringLiteral("/opt/My Editor/bin/my-editor"), {QStringLiteral("my-editor")});
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    platform::Observation quits = listen(NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_TRUE(workspace().isPolling());

    // What ran before anyone listened is no news.
    look();
    EXPECT_TRUE(heard.empty());

    proc->add(300, 1, 3000, QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("wrapped-app")});
    look();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].name, NSWorkspaceDidLaunchApplicationNotification);
    EXPECT_EQ(heard[0].userInfo.value(NSApplicationName).toString(), QStringLiteral("Wrapped"));
    EXPECT_EQ(heard[0].userInfo.value(NSApplicationProcessIdentifier).toLongLong(), 300);
    EXPECT_EQ(heard[0].object, static_cast<void*>(&workspace()));

    heard.clear();
    proc->remove(100);
    look();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].name, NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_EQ(heard[0].userInfo.value(NSApplicationProcessIdentifier).toLongLong(), 100);

    // The wrapped application quit and its identifier went to a new copy between two looks.
    heard.clear();
    proc->add(300, 1, 3500, QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("wrapped-app")});
    look();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].name, NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_EQ(heard[0].userInfo.value(TavrinProcessStartTime).toLongLong(), 3000);
    EXPECT_EQ(heard[1].name, NSWorkspaceDidLaunchApplicationNotification);
    EXPECT_EQ(heard[1].userInfo.value(TavrinProcessStartTime).toLongLong(), 3500);
}

TEST_F(LinuxWorkspaceTest, TheLookRunsInTheBackgroundAndOnlyChangesReachTheMainQueue)
{
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    for (int quiet = 0; quiet < 2; ++quiet) {
        workspace().poll();
        EXPECT_EQ(tp.dispatcher().pendingMain(), 0u);
        EXPECT_EQ(tp.dispatcher().drainGlobal(), 1);
        EXPECT_EQ(tp.dispatcher().pendingMain(), 0u);
    }
    proc->add(300, 1, 3000, QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("wrapped-app")});
    workspace().poll();
    workspace().poll(); // the look in flight is not doubled
    EXPECT_EQ(tp.dispatcher().drainGlobal(), 1);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(tp.dispatcher().drainMain(), 1);
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(LinuxWorkspaceTest, ABundleIsReadWhenItsProcessFirstAppears)
{
    int infoReads = 0;
    LinuxWorkspace::Settings s = settings();
    s.bundleInfo = [&infoReads](const QString&) {
        ++infoReads;
        return QVariantMap{{QStringLiteral("CFBundleName"), QStringLiteral("Notes")}};
    };
    workspace_ = std::make_unique<LinuxWorkspace>(s);
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    proc->add(300, 1, 3000, QStringLiteral("/Applications/Notes.app/Contents/MacOS/Notes"), {QStringLiteral("Notes")});
    for (int i = 0; i < 3; ++i)
        look();
    EXPECT_EQ(workspace().launchedApplications().size(), 2);
    EXPECT_EQ(infoReads, 1);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].userInfo.value(NSApplicationName).toString(), QStringLiteral("Notes"));
}

// Run under AddressSanitizer: the look's result must not reach the destroyed workspace.
TEST_F(LinuxWorkspaceTest, ALookInFlightDeliversNothingOnceTheWorkspaceIsDestroyed)
{
    for (const bool looked : {false, true}) {
        SCOPED_TRACE(looked ? "destroyed with the result queued" : "destroyed with the look queued");
        heard.clear();
        proc->remove(300);
        {
            platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
            proc->add(300, 1, 3000, QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("wrapped-app")});
            workspace().poll();
            if (looked)
                tp.dispatcher().drainGlobal();
        }
        workspace_.reset();
        tp.dispatcher().drainAll();
        EXPECT_TRUE(heard.empty());
    }
}

TEST_F(LinuxWorkspaceTest, TheTimerLooksEveryTwoSecondsAndStopsWhenNobodyListens)
{
    {
        platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
        ASSERT_EQ(tp.dispatcher().validTimers(), 1u);
        proc->add(300, 1, 3000, QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("wrapped-app")});
        tp.dispatcher().advance(LinuxWorkspace::kPollInterval);
        tp.dispatcher().drainAll();
        EXPECT_EQ(heard.size(), 1u);
    }
    // The observer is gone: nothing reaches it, and the next tick ends the watching.
    proc->remove(300);
    tp.dispatcher().advance(LinuxWorkspace::kPollInterval);
    tp.dispatcher().drainAll();
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_FALSE(workspace().isPolling());
    EXPECT_EQ(tp.dispatcher().validTimers(), 0u);

    // Observing again starts over from what runs now.
    platform::Observation again = listen(NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_TRUE(workspace().isPolling());
    tp.dispatcher().advance(LinuxWorkspace::kPollInterval);
    tp.dispatcher().drainAll();
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(LinuxWorkspaceTest, AnObserverThatIsDestroyedIsNeverCalled)
{
    struct Controller {
        explicit Controller(LinuxWorkspace& workspace, int& calls)
            : observation(workspace.notificationCenter().addObserver(
                  this, NSWorkspaceDidLaunchApplicationNotification, nullptr, [&calls](const platform::Notification&) { ++calls; }))
        {
        }
        platform::Observation observation;
    };
    int calls = 0;
    auto controller = std::make_unique<Controller>(workspace(), calls);
    platform::Observation other = listen(NSWorkspaceDidLaunchApplicationNotification);
    controller.reset();

    proc->add(300, 1, 3000, QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("wrapped-app")});
    look();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(LinuxWorkspaceTest, ANewDesktopEntryIsNoticedAtTheNextLook)
{
    proc->add(400, 1, 4000, QStringLiteral("/usr/bin/newly-installed"), {QStringLiteral("newly-installed")});
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    look();
    EXPECT_TRUE(heard.empty());

    writeAt(extraApplications + QStringLiteral("/sub/newly.desktop"),
              "[Desktop Entry]\nType=Application\nName=Newly Installed\nExec=newly-installed %U\n");
    look();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].userInfo.value(NSApplicationName).toString(), QStringLiteral("Newly Installed"));
    EXPECT_EQ(heard[0].userInfo.value(NSApplicationPath).toString(), extraApplications + QStringLiteral("/sub/newly.desktop"));
}

TEST_F(LinuxWorkspaceTest, AnEarlierFolderHidesAnEntryOfTheSameId)
{
    // The user's own copy of an entry wins over the system's, and a Hidden one deletes it.
    writeAt(extraApplications + QStringLiteral("/editor.desktop"),
              "[Desktop Entry]\nType=Application\nName=Hidden Away\nHidden=true\nExec=my-editor\n");
    proc->add(100, 1, 1000, QStringLiteral("/opt/My Editor/bin/my-editor"), {QStringLiteral("my-editor")});
    const QList<QVariantMap> list = workspace().launchedApplications();
    // Only the hidden helper entry is left to name the program.
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[1].value(NSApplicationName).toString(), QStringLiteral("Editor Helper"));
}

TEST_F(LinuxWorkspaceTest, MacOnlyTargetsAreRecordedAndNothingRuns)
{
    const QString accounts = QStringLiteral("/System/Library/PreferencePanes/Accounts.prefPane");
    const QString privacy = QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles");
    EXPECT_TRUE(workspace().openFile(accounts));
    EXPECT_TRUE(workspace().openURL(QUrl(privacy)));
    EXPECT_TRUE(workspace().openURL(QUrl::fromLocalFile(QStringLiteral("/System/Library/PreferencePanes/Battery.prefPane"))));
    workspace().hideOtherApplications();

    QDir().mkpath(onMac(QStringLiteral("/Applications/Utilities/Terminal.app/Contents")));
    EXPECT_TRUE(workspace().openFile(QStringLiteral("/Applications/Utilities/Terminal.app")));
    EXPECT_TRUE(workspace().launchApplication(QStringLiteral("/Applications/Utilities/Terminal.app")));
    EXPECT_TRUE(workspace().launchApplication(QStringLiteral("Terminal")));
    EXPECT_FALSE(workspace().openFile(QStringLiteral("/Applications/Missing.app")));
    EXPECT_FALSE(workspace().launchApplication(QStringLiteral("Missing")));
    EXPECT_FALSE(workspace().launchApplication(QStringLiteral("..")));

    using Request = LinuxWorkspace::SimulatedRequest;
    EXPECT_EQ(workspace().simulatedRequests(),
              (QList<Request>{
                  {QStringLiteral("open"), accounts},
                  {QStringLiteral("openURL"), privacy},
                  {QStringLiteral("openURL"), QStringLiteral("file:///System/Library/PreferencePanes/Battery.prefPane")},
                  {QStringLiteral("hideOtherApplications"), {}},
                  {QStringLiteral("open"), QStringLiteral("/Applications/Utilities/Terminal.app")},
                  {QStringLiteral("launchApplication"), QStringLiteral("/Applications/Utilities/Terminal.app")},
                  {QStringLiteral("launchApplication"), onMac(QStringLiteral("/Applications/Utilities/Terminal.app"))},
              }));
    EXPECT_TRUE(tp.log().messages().contains(QStringLiteral("Simulated Mac: open ") + accounts));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(commands->calls().empty());
}

TEST_F(LinuxWorkspaceTest, RealFilesFoldersAndAddressesOpenOnTheDesktop)
{
    const QString folder = test::makeTemporaryFolder(QStringLiteral("open"));
    const QString hostile = folder + QStringLiteral("/a \"b\" $(touch pwned) `id`\nGrüße.txt");
    writeAt(hostile, "x");
    QDir().mkpath(onMac(QStringLiteral("/Applications")));

    EXPECT_TRUE(workspace().openFile(hostile));
    EXPECT_TRUE(workspace().openURL(QUrl::fromLocalFile(QStringLiteral("/Applications/"))));
    EXPECT_TRUE(workspace().openURL(QUrl(QStringLiteral("https://www.brenlow.com/support/"))));
    EXPECT_TRUE(workspace().openURL(QUrl(QStringLiteral("mailto:help@example.org"))));
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(hostile), QUrl::fromLocalFile(onMac(QStringLiteral("/Applications/"))),
                                   QUrl(QStringLiteral("https://www.brenlow.com/support/")),
                                   QUrl(QStringLiteral("mailto:help@example.org"))}));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/pwned")));

    // The desktop's failure is reported, and what is not there or not allowed is not tried.
    opened.clear();
    desktopAnswers = false;
    EXPECT_FALSE(workspace().openFile(hostile));
    EXPECT_FALSE(workspace().openFile(folder + QStringLiteral("/missing")));
    EXPECT_FALSE(workspace().openFile(QStringLiteral("relative/file.txt")));
    EXPECT_FALSE(workspace().openURL(QUrl(QStringLiteral("javascript:alert(1)"))));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(workspace().simulatedRequests().isEmpty());
    EXPECT_TRUE(commands->calls().empty());
}

TEST_F(LinuxWorkspaceTest, ADesktopEntryLaunchesItsOwnArgumentsWithoutAShell)
{
    const QString applications = test::fixturePath(QStringLiteral("workspace/applications/"));
    EXPECT_TRUE(workspace().launchApplication(applications + QStringLiteral("hostile.desktop")));
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0], (QStringList{QStringLiteral("/opt/evil/bin/evil"), QStringLiteral("$(touch /tmp/pwned)"),
                                       QStringLiteral("; rm -rf ~"), QStringLiteral("`id`")}));

    EXPECT_FALSE(workspace().launchApplication(applications + QStringLiteral("broken.desktop")));
    EXPECT_FALSE(workspace().launchApplication(applications + QStringLiteral("link.desktop")));
    EXPECT_FALSE(workspace().launchApplication(applications + QStringLiteral("missing.desktop")));
    EXPECT_FALSE(workspace().launchApplication(test::fixturePath(QStringLiteral("workspace/proc/stat-plain"))));
    EXPECT_FALSE(workspace().launchApplication(QString()));
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(commands->calls().empty());
}

TEST_F(LinuxWorkspaceTest, IconsAreImageFilesOrThemeNames)
{
    const QString applications = test::fixturePath(QStringLiteral("workspace/applications/"));
    EXPECT_EQ(workspace().iconForFile(applications + QStringLiteral("editor.desktop")),
              (WorkspaceIcon{{}, QStringLiteral("accessories-text-editor"), QStringLiteral("application-x-executable")}));
    EXPECT_EQ(workspace().iconForFile(applications + QStringLiteral("notes.desktop")).filePath,
              QStringLiteral("/usr/share/tools/notes.svg"));
    EXPECT_EQ(workspace().iconForFile(applications + QStringLiteral("wrapped.desktop")).themeName,
              QStringLiteral("application-x-executable"));
    EXPECT_EQ(workspace().iconForFile(QStringLiteral("/System/Library/PreferencePanes/Accounts.prefPane")).themeName,
              QStringLiteral("preferences-system"));
    const QString folder = test::makeTemporaryFolder(QStringLiteral("icons"));
    EXPECT_EQ(workspace().iconForFile(folder + QStringLiteral("/missing.pdf")).themeName, QStringLiteral("application-pdf"));

    // A bundle's icon comes from its Resources, and only from there.
    const QString bundle = onMac(QStringLiteral("/Applications/Notes.app"));
    writeAt(bundle + QStringLiteral("/Contents/Resources/NotesIcon.svg"), "<svg/>");
    tp->propertyLists->writeToFile(QVariantMap{{QStringLiteral("CFBundleIconFile"), QStringLiteral("NotesIcon")}},
                                   bundle + QStringLiteral("/Contents/Info.plist"));
    EXPECT_EQ(workspace().iconForFile(QStringLiteral("/Applications/Notes.app")).filePath,
              bundle + QStringLiteral("/Contents/Resources/NotesIcon.svg"));
    tp->propertyLists->writeToFile(QVariantMap{{QStringLiteral("CFBundleIconFile"), QStringLiteral("../../../../etc/passwd")}},
                                   bundle + QStringLiteral("/Contents/Info.plist"));
    EXPECT_EQ(workspace().iconForFile(bundle),
              (WorkspaceIcon{{}, QStringLiteral("application-x-executable"), {}}));
}

TEST_F(LinuxWorkspaceTest, RevealingAFileOpensItsFolder)
{
    const QString folder = test::makeTemporaryFolder(QStringLiteral("reveal"));
    writeAt(folder + QStringLiteral("/report.pdf"), "%PDF");
    EXPECT_TRUE(workspace().selectFile(folder + QStringLiteral("/report.pdf"), QStringLiteral("Finder")));
    EXPECT_TRUE(workspace().selectFile(QString(), folder));
    EXPECT_FALSE(workspace().selectFile(folder + QStringLiteral("/gone.pdf"), QStringLiteral("Finder")));
    EXPECT_FALSE(workspace().selectFile(QString(), QStringLiteral("Finder")));
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(folder), QUrl::fromLocalFile(folder)}));
}

TEST(LinuxWorkspaceRealProcesses, AChildIsListedAndItsForceQuitIsNoticed)
{
    test::TestPlatform tp;
    const QString applications = test::makeTemporaryFolder(QStringLiteral("real-applications"));
    writeAt(applications + QStringLiteral("/sleeper.desktop"),
              "[Desktop Entry]\nType=Application\nName=Sleeper\nExec=sleep 60\n");
    LinuxWorkspace::Settings settings = LinuxWorkspace::defaultSettings(*tp->bundle);
    settings.applicationFolders = {applications};
    LinuxWorkspace workspace(settings);
    std::vector<QVariantMap> launched;
    std::vector<QVariantMap> quit;
    platform::Observation onLaunch = workspace.notificationCenter().addObserver(
        nullptr, NSWorkspaceDidLaunchApplicationNotification, nullptr,
        [&](const platform::Notification& n) { launched.push_back(n.userInfo); });
    platform::Observation onQuit = workspace.notificationCenter().addObserver(
        nullptr, NSWorkspaceDidTerminateApplicationNotification, nullptr,
        [&](const platform::Notification& n) { quit.push_back(n.userInfo); });
    tp.dispatcher().drainAll(); // the first look learns what runs

    pid_t child = 0;
    char sleep[] = "sleep";
    char sixty[] = "60";
    char* argv[] = {sleep, sixty, nullptr};
    ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);

    workspace.poll();
    tp.dispatcher().drainAll();
    QVariantMap mine;
    for (const QVariantMap& application : launched) {
        if (application.value(NSApplicationProcessIdentifier).toLongLong() == child)
            mine = application;
    }
    ASSERT_FALSE(mine.isEmpty()) << "the child was not listed";
    EXPECT_EQ(mine.value(NSApplicationName).toString(), QStringLiteral("Sleeper"));
    bool selfListed = false;
    for (const QVariantMap& application : workspace.launchedApplications())
        selfListed = selfListed || application.value(NSApplicationProcessIdentifier).toLongLong() == getpid();
    EXPECT_TRUE(selfListed);

    LinuxProcessControl control;
    EXPECT_EQ(control.forceQuit(child, mine.value(TavrinProcessStartTime).toLongLong()), ProcessControl::Outcome::Killed);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    workspace.poll();
    tp.dispatcher().drainAll();
    bool noticed = false;
    for (const QVariantMap& application : quit)
        noticed = noticed || application.value(NSApplicationProcessIdentifier).toLongLong() == child;
    EXPECT_TRUE(noticed);
}
