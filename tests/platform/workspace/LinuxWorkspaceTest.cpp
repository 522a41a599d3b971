#include "platform/workspace/LinuxWorkspace.h"

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
const QString kEditor = QStringLiteral("/opt/My Editor/bin/my-editor");

void writeAt(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(test::writeFile(path, contents)) << path.toStdString();
}

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
                const bool launched = n.name == NSWorkspaceDidLaunchApplicationNotification;
                heard << QStringLiteral("%1 %2 %3@%4")
                             .arg(launched ? QStringLiteral("launched") : QStringLiteral("quit"),
                                  n.userInfo.value(NSApplicationName).toString(),
                                  n.userInfo.value(NSApplicationProcessIdentifier).toString(),
                                  n.userInfo.value(TavrinProcessStartTime).toString());
                lastObject = n.object;
                lastPath = n.userInfo.value(NSApplicationPath).toString();
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
    // A program that the "Wrapped" entry names.
    void startWrapped(qint64 startTime = 3000)
    {
        proc->add(300, 1, startTime, QStringLiteral("/usr/bin/wrapped-app"), {QStringLiteral("wrapped-app")});
    }

    test::TestPlatform tp;
    test::RecordingCommandRunner* commands = nullptr;
    std::shared_ptr<FakeProcFolder> proc = std::make_shared<FakeProcFolder>();
    QString extraApplications = test::makeTemporaryFolder(QStringLiteral("applications"));
    QList<QUrl> opened;
    QList<QStringList> started;
    bool desktopAnswers = true;
    QStringList heard; // "launched Name pid@start" or "quit ..."
    void* lastObject = nullptr;
    QString lastPath;
    std::unique_ptr<LinuxWorkspace> workspace_;
};

} // namespace

TEST_F(LinuxWorkspaceTest, ListsThisProgramFirstAndTheApplicationsThatEntriesName)
{
    proc->add(100, 1, 1000, kEditor, {QStringLiteral("my-editor")});
    proc->add(200, 1, 2000, QStringLiteral("/usr/bin/unrelated"), {QStringLiteral("unrelated")});
    const QList<QVariantMap> list = workspace().launchedApplications();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].value(NSApplicationPath).toString(), tp.bundlePath());
    EXPECT_EQ(list[0].value(NSApplicationProcessIdentifier).toLongLong(), kSelf);
    EXPECT_EQ(list[1].value(NSApplicationName).toString(), QStringLiteral("My Editor"));
}

TEST_F(LinuxWorkspaceTest, EachLookPostsWhatLaunchedAndWhatQuit)
{
    proc->add(100, 1, 1000, kEditor, {QStringLiteral("my-editor")});
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    platform::Observation quits = listen(NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_TRUE(workspace().isPolling());
    look();
    EXPECT_TRUE(heard.isEmpty()) << "what ran before anyone listened is no news";

    startWrapped();
    look();
    EXPECT_EQ(heard, QStringList{QStringLiteral("launched Wrapped 300@3000")});
    EXPECT_EQ(lastObject, static_cast<void*>(&workspace()));
    proc->remove(100);
    look();
    EXPECT_EQ(heard.last(), QStringLiteral("quit My Editor 100@1000"));

    // The wrapped application quit and its identifier went to a new copy between two looks.
    heard.clear();
    startWrapped(3500);
    look();
    EXPECT_EQ(heard, (QStringList{QStringLiteral("quit Wrapped 300@3000"), QStringLiteral("launched Wrapped 300@3500")}));
}

TEST_F(LinuxWorkspaceTest, TheLookRunsInTheBackgroundAndOnlyChangesReachTheMainQueue)
{
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    for (int quiet = 0; quiet < 2; ++quiet) {
        workspace().poll();
        EXPECT_EQ(tp.dispatcher().drainGlobal(), 1);
        EXPECT_EQ(tp.dispatcher().pendingMain(), 0u);
    }
    startWrapped();
    workspace().poll();
    workspace().poll(); // the look in flight is not doubled
    EXPECT_EQ(tp.dispatcher().drainGlobal(), 1);
    EXPECT_TRUE(heard.isEmpty());
    EXPECT_EQ(tp.dispatcher().drainMain(), 1);
    EXPECT_EQ(heard.size(), 1);
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
    EXPECT_EQ(infoReads, 1);
    EXPECT_EQ(heard, QStringList{QStringLiteral("launched Notes 300@3000")});
}

// Run under AddressSanitizer: the look's result must not reach the destroyed workspace.
TEST_F(LinuxWorkspaceTest, ALookInFlightDeliversNothingOnceTheWorkspaceIsDestroyed)
{
    for (const bool looked : {false, true}) {
        SCOPED_TRACE(looked ? "destroyed with the result queued" : "destroyed with the look queued");
        proc->remove(300);
        {
            platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
            startWrapped();
            workspace().poll();
            if (looked)
                tp.dispatcher().drainGlobal();
        }
        workspace_.reset();
        tp.dispatcher().drainAll();
        EXPECT_TRUE(heard.isEmpty());
    }
}

TEST_F(LinuxWorkspaceTest, TheTimerLooksEveryTwoSecondsAndStopsWhenNobodyListens)
{
    const auto tick = [this] {
        tp.dispatcher().advance(LinuxWorkspace::kPollInterval);
        tp.dispatcher().drainAll();
    };
    {
        platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
        ASSERT_EQ(tp.dispatcher().validTimers(), 1u);
        startWrapped();
        tick();
        EXPECT_EQ(heard.size(), 1);
    }
    // The observer is gone: nothing reaches it, and the next tick ends the watching.
    proc->remove(300);
    tick();
    EXPECT_EQ(heard.size(), 1);
    EXPECT_FALSE(workspace().isPolling());
    EXPECT_EQ(tp.dispatcher().validTimers(), 0u);

    // Observing again starts over from what runs now.
    platform::Observation again = listen(NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_TRUE(workspace().isPolling());
    tick();
    EXPECT_EQ(heard.size(), 1);
}

TEST_F(LinuxWorkspaceTest, ANewDesktopEntryIsNoticedAtTheNextLook)
{
    proc->add(400, 1, 4000, QStringLiteral("/usr/bin/newly-installed"), {QStringLiteral("newly-installed")});
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    look();
    EXPECT_TRUE(heard.isEmpty());

    const QString entry = extraApplications + QStringLiteral("/sub/newly.desktop");
    writeAt(entry, "[Desktop Entry]\nType=Application\nName=Newly Installed\nExec=newly-installed %U\n");
    look();
    EXPECT_EQ(heard, QStringList{QStringLiteral("launched Newly Installed 400@4000")});
    EXPECT_EQ(lastPath, entry);
}

TEST_F(LinuxWorkspaceTest, AnEarlierFolderHidesAnEntryOfTheSameId)
{
    // The user's own copy of an entry wins over the system's, and a Hidden one deletes it:
    // only the hidden helper entry is left to name the program.
    writeAt(extraApplications + QStringLiteral("/editor.desktop"),
            "[Desktop Entry]\nType=Application\nName=Hidden Away\nHidden=true\nExec=my-editor\n");
    proc->add(100, 1, 1000, kEditor, {QStringLiteral("my-editor")});
    EXPECT_EQ(workspace().launchedApplications().value(1).value(NSApplicationName).toString(), QStringLiteral("Editor Helper"));
}

TEST_F(LinuxWorkspaceTest, MacOnlyTargetsAreRecordedAndNothingRuns)
{
    const QString accounts = QStringLiteral("/System/Library/PreferencePanes/Accounts.prefPane");
    const QString privacy = QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles");
    const QString terminal = QStringLiteral("/Applications/Utilities/Terminal.app");
    QDir().mkpath(onMac(terminal + QStringLiteral("/Contents")));
    EXPECT_TRUE(workspace().openFile(accounts));
    EXPECT_TRUE(workspace().openURL(QUrl(privacy)));
    workspace().hideOtherApplications();
    EXPECT_TRUE(workspace().openFile(terminal));
    EXPECT_TRUE(workspace().launchApplication(terminal));
    EXPECT_TRUE(workspace().launchApplication(QStringLiteral("Terminal")));
    EXPECT_FALSE(workspace().launchApplication(QStringLiteral("Missing")));
    EXPECT_FALSE(workspace().launchApplication(QStringLiteral("..")));

    using Request = LinuxWorkspace::SimulatedRequest;
    EXPECT_EQ(workspace().simulatedRequests(),
              (QList<Request>{{QStringLiteral("open"), accounts},
                              {QStringLiteral("openURL"), privacy},
                              {QStringLiteral("hideOtherApplications"), {}},
                              {QStringLiteral("open"), terminal},
                              {QStringLiteral("launchApplication"), terminal},
                              {QStringLiteral("launchApplication"), onMac(terminal)}}));
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
    const QUrl web(QStringLiteral("https://www.brenlow.com/support/")), mail(QStringLiteral("mailto:help@example.org"));

    EXPECT_TRUE(workspace().openFile(hostile));
    EXPECT_TRUE(workspace().openURL(QUrl::fromLocalFile(QStringLiteral("/Applications/"))));
    EXPECT_TRUE(workspace().openURL(web));
    EXPECT_TRUE(workspace().openURL(mail));
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(hostile), QUrl::fromLocalFile(onMac(QStringLiteral("/Applications/"))),
                                   web, mail}));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/pwned")));

    // The desktop's failure is reported, and what is not there or not allowed is not tried.
    opened.clear();
    desktopAnswers = false;
    EXPECT_FALSE(workspace().openFile(hostile));
    EXPECT_FALSE(workspace().openFile(folder + QStringLiteral("/missing")));
    EXPECT_FALSE(workspace().openURL(QUrl(QStringLiteral("javascript:alert(1)"))));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(workspace().simulatedRequests().isEmpty());
    EXPECT_TRUE(commands->calls().empty());
}

TEST_F(LinuxWorkspaceTest, ADesktopEntryLaunchesItsOwnArgumentsWithoutAShell)
{
    const QString applications = test::fixturePath(QStringLiteral("workspace/applications/"));
    EXPECT_TRUE(workspace().launchApplication(applications + QStringLiteral("hostile.desktop")));
    EXPECT_EQ(started, (QList<QStringList>{{QStringLiteral("/opt/evil/bin/evil"), QStringLiteral("$(touch /tmp/pwned)"),
                                            QStringLiteral("; rm -rf ~"), QStringLiteral("`id`")}}));
    // An open quote, a link entry, no file, not an entry, nothing.
    for (const QString& refused : {applications + QStringLiteral("broken.desktop"), applications + QStringLiteral("link.desktop"),
                                   applications + QStringLiteral("missing.desktop"),
                                   test::fixturePath(QStringLiteral("workspace/proc/stat-plain")), QString()})
        EXPECT_FALSE(workspace().launchApplication(refused)) << refused.toStdString();
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
    EXPECT_EQ(workspace().iconForFile(QStringLiteral("/System/Library/PreferencePanes/Accounts.prefPane")).themeName,
              QStringLiteral("preferences-system"));
    EXPECT_EQ(workspace().iconForFile(QStringLiteral("/nowhere/missing.pdf")).themeName, QStringLiteral("application-pdf"));

    // A bundle's icon comes from its Resources, and only from there.
    const QString bundle = onMac(QStringLiteral("/Applications/Notes.app"));
    writeAt(bundle + QStringLiteral("/Contents/Resources/NotesIcon.svg"), "<svg/>");
    const auto iconFile = [&](const QString& name) {
        tp->propertyLists->writeToFile(QVariantMap{{QStringLiteral("CFBundleIconFile"), name}},
                                       bundle + QStringLiteral("/Contents/Info.plist"));
    };
    iconFile(QStringLiteral("NotesIcon"));
    EXPECT_EQ(workspace().iconForFile(QStringLiteral("/Applications/Notes.app")).filePath,
              bundle + QStringLiteral("/Contents/Resources/NotesIcon.svg"));
    iconFile(QStringLiteral("../../../../etc/passwd"));
    EXPECT_EQ(workspace().iconForFile(bundle), (WorkspaceIcon{{}, QStringLiteral("application-x-executable"), {}}));
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

TEST_F(LinuxWorkspaceTest, ARealChildIsListedAndItsEndIsNoticed)
{
    writeAt(extraApplications + QStringLiteral("/sleeper.desktop"), "[Desktop Entry]\nType=Application\nName=Sleeper\nExec=sleep 60\n");
    LinuxWorkspace::Settings s = LinuxWorkspace::defaultSettings(*tp->bundle);
    s.applicationFolders = {extraApplications};
    workspace_ = std::make_unique<LinuxWorkspace>(s);
    platform::Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    platform::Observation quits = listen(NSWorkspaceDidTerminateApplicationNotification);

    pid_t child = 0;
    char sleep[] = "sleep";
    char sixty[] = "60";
    char* argv[] = {sleep, sixty, nullptr};
    ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
    look();
    EXPECT_EQ(heard.filter(QStringLiteral("launched Sleeper %1@").arg(child)).size(), 1) << heard.join(QLatin1Char('\n')).toStdString();

    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    look();
    EXPECT_EQ(heard.filter(QStringLiteral("quit Sleeper %1@").arg(child)).size(), 1);
}
