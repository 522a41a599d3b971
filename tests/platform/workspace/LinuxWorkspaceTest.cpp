#include "platform/workspace/LinuxWorkspace.h"

#include "FakeProcFolder.h"
#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "TestFiles.h"
#include "TestPlatform.h"

#include "platform/bundle/Bundle.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/simulated/SimulatedMac.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace Qt::StringLiterals;
using namespace platform;

namespace {

constexpr qint64 kSelf = 10;
const QString kEditor = u"/opt/My Editor/bin/my-editor"_s;
const QString kApplications = test::fixturePath(u"workspace/applications"_s);

class LinuxWorkspaceTest : public ::testing::Test {
protected:
    LinuxWorkspaceTest() { proc->add(kSelf, 1, 50, u"/build/tests_platform_workspace"_s, {u"tests"_s}); }

    LinuxWorkspace::Siblings siblings() { return {tp->dispatcher, tp->simulatedMac, tp->searchPaths, tp->propertyLists}; }
    LinuxWorkspace::Settings settings()
    {
        LinuxWorkspace::Settings s = LinuxWorkspace::defaultSettings(*tp->bundle, siblings());
        s.procFolder = proc;
        s.applicationFolders = {extraApplications, kApplications};
        s.locale = u"C"_s;
        s.self.pid = kSelf;
        s.openOnDesktop = [this](const QUrl& url) { return opened << url, desktopAnswers; };
        s.startProgram = [this](const QStringList& arguments, const QString& folder) {
            return started << arguments, folders << folder, true;
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
    Observation listen(const QString& name)
    {
        Observation observation = workspace().notificationCenter().addObserver(this, name, nullptr, [this](const Notification& n) {
            heard << u"%1 %2 %3@%4"_s.arg(n.name == NSWorkspaceDidLaunchApplicationNotification ? u"launched"_s : u"quit"_s,
                                          n.userInfo.value(NSApplicationName).toString(),
                                          n.userInfo.value(NSApplicationProcessIdentifier).toString(),
                                          n.userInfo.value(TavrinProcessStartTime).toString());
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
    void startWrapped(qint64 startTime = 3000) { proc->add(300, 1, startTime, u"/usr/bin/wrapped-app"_s, {u"wrapped-app"_s}); }

    test::TestPlatform tp;
    test::RecordingCommandRunner* commands = test::install<test::RecordingCommandRunner>(tp->commandRunner);
    std::shared_ptr<FakeProcFolder> proc = std::make_shared<FakeProcFolder>();
    QString extraApplications = test::makeTemporaryFolder(u"applications"_s);
    QList<QUrl> opened;
    QList<QStringList> started;
    QStringList folders; // the working folder of each start
    bool desktopAnswers = true;
    QStringList heard; // "launched Name pid@start" or "quit ..."
    QString lastPath;
    std::unique_ptr<LinuxWorkspace> workspace_;
};

} // namespace

TEST_F(LinuxWorkspaceTest, ListsThisProgramFirstAndWhatTheFirstEntryOfAnIdNames)
{
    // The user's own copy of an entry wins over the system's, and a Hidden one deletes it:
    // only the hidden helper entry is left to name the program.
    test::placeFile(extraApplications + u"/editor.desktop"_s, "[Desktop Entry]\nType=Application\nName=Hidden Away\nHidden=true\nExec=my-editor\n");
    proc->add(100, 1, 1000, kEditor, {u"my-editor"_s});
    proc->add(200, 1, 2000, u"/usr/bin/unrelated"_s, {u"unrelated"_s});
    const QList<QVariantMap> list = workspace().launchedApplications();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].value(NSApplicationPath).toString(), tp.bundlePath());
    EXPECT_EQ(list[0].value(NSApplicationProcessIdentifier).toLongLong(), kSelf);
    EXPECT_EQ(list[1].value(NSApplicationName).toString(), u"Editor Helper"_s);
}

TEST_F(LinuxWorkspaceTest, EachLookPostsWhatLaunchedAndWhatQuit)
{
    proc->add(100, 1, 1000, kEditor, {u"my-editor"_s});
    Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    Observation quits = listen(NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_TRUE(workspace().isPolling());
    look();
    EXPECT_TRUE(heard.isEmpty()) << "what ran before anyone listened is no news";

    startWrapped();
    look();
    EXPECT_EQ(heard, QStringList{u"launched Wrapped 300@3000"_s});
    proc->remove(100);
    look();
    EXPECT_EQ(heard.last(), u"quit My Editor 100@1000"_s);

    // The wrapped application quit and its identifier went to a new copy between two looks.
    heard.clear();
    startWrapped(3500);
    look();
    EXPECT_EQ(heard, (QStringList{u"quit Wrapped 300@3000"_s, u"launched Wrapped 300@3500"_s}));
}

TEST_F(LinuxWorkspaceTest, TheLookRunsInTheBackgroundAndOnlyChangesReachTheMainQueue)
{
    Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
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
    s.bundleInfo = [&infoReads](const QString&) { return ++infoReads, QVariantMap{{u"CFBundleName"_s, u"Notes"_s}}; };
    workspace_ = std::make_unique<LinuxWorkspace>(s);
    Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    proc->add(300, 1, 3000, u"/Applications/Notes.app/Contents/MacOS/Notes"_s, {u"Notes"_s});
    for (int i = 0; i < 3; ++i)
        look();
    EXPECT_EQ(infoReads, 1);
    EXPECT_EQ(heard, QStringList{u"launched Notes 300@3000"_s});
    // Icons and looks share what was read, until the Info.plist changes.
    const QString bundle = onMac(u"/Applications/Notes.app"_s);
    test::placeFile(bundle + u"/Contents/Info.plist"_s, "one");
    for (int i = 0; i < 3; ++i)
        workspace().iconForFile(bundle);
    EXPECT_EQ(infoReads, 2);
    test::placeFile(bundle + u"/Contents/Info.plist"_s, "other");
    workspace().iconForFile(bundle);
    EXPECT_EQ(infoReads, 3);
}

// Run under AddressSanitizer: the look's result must not reach the destroyed workspace.
TEST_F(LinuxWorkspaceTest, ALookInFlightDeliversNothingOnceTheWorkspaceIsDestroyed)
{
    for (const bool looked : {false, true}) {
        SCOPED_TRACE(looked ? "destroyed with the result queued" : "destroyed with the look queued");
        proc->remove(300);
        {
            Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
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
        Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
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
    Observation again = listen(NSWorkspaceDidTerminateApplicationNotification);
    EXPECT_TRUE(workspace().isPolling());
    tick();
    EXPECT_EQ(heard.size(), 1);
}

TEST_F(LinuxWorkspaceTest, ANewDesktopEntryIsNoticedAtTheNextLook)
{
    proc->add(400, 1, 4000, u"/usr/bin/newly-installed"_s, {u"newly-installed"_s});
    Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    look();
    EXPECT_TRUE(heard.isEmpty());
    const QString entry = extraApplications + u"/sub/newly.desktop"_s;
    test::placeFile(entry, "[Desktop Entry]\nType=Application\nName=Newly Installed\nExec=newly-installed %U\n");
    look();
    EXPECT_EQ(heard, QStringList{u"launched Newly Installed 400@4000"_s});
    EXPECT_EQ(lastPath, entry);
}

TEST_F(LinuxWorkspaceTest, MacOnlyTargetsAreRecordedAndNothingRuns)
{
    const QString accounts = u"/System/Library/PreferencePanes/Accounts.prefPane"_s;
    const QString privacy = u"x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"_s;
    const QString terminal = u"/Applications/Utilities/Terminal.app"_s;
    QDir().mkpath(onMac(terminal + u"/Contents"_s));
    EXPECT_TRUE(workspace().openFile(accounts));
    EXPECT_TRUE(workspace().openURL(QUrl(privacy)));
    workspace().hideOtherApplications();
    EXPECT_TRUE(workspace().openFile(terminal));
    EXPECT_TRUE(workspace().launchApplication(terminal));
    EXPECT_TRUE(workspace().launchApplication(u"Terminal"_s));
    EXPECT_FALSE(workspace().launchApplication(u"Missing"_s));
    EXPECT_FALSE(workspace().launchApplication(u".."_s));
    EXPECT_EQ(workspace().simulatedRequests(),
              (QList<LinuxWorkspace::SimulatedRequest>{{u"open"_s, accounts}, {u"openURL"_s, privacy},
                                                       {u"hideOtherApplications"_s, {}}, {u"open"_s, terminal},
                                                       {u"launchApplication"_s, terminal},
                                                       {u"launchApplication"_s, onMac(terminal)}}));
    EXPECT_TRUE(tp.log().messages().contains(u"Simulated Mac: open "_s + accounts));
    EXPECT_TRUE(opened.isEmpty() && started.isEmpty());
    EXPECT_TRUE(commands->calls().empty()) << "nothing goes through a shell or another program";
}

TEST_F(LinuxWorkspaceTest, RealFilesFoldersAndAddressesOpenOnTheDesktop)
{
    const QString folder = test::makeTemporaryFolder(u"open"_s);
    const QString hostile = folder + u"/a \"b\" $(touch pwned) `id`\nGrüße.txt"_s;
    test::placeFile(hostile, "x");
    QDir().mkpath(onMac(u"/Applications"_s));
    const QUrl web(u"https://www.brenlow.com/support/"_s), mail(u"mailto:help@example.org"_s);
    EXPECT_TRUE(workspace().openFile(hostile));
    EXPECT_TRUE(workspace().openURL(QUrl::fromLocalFile(u"/Applications/"_s)));
    EXPECT_TRUE(workspace().openURL(web));
    EXPECT_TRUE(workspace().openURL(mail));
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(hostile), QUrl::fromLocalFile(onMac(u"/Applications/"_s)), web, mail}));
    EXPECT_FALSE(QFile::exists(folder + u"/pwned"_s));

    // The desktop's failure is reported, and what is not there or not allowed is not tried.
    opened.clear();
    desktopAnswers = false;
    EXPECT_FALSE(workspace().openFile(hostile));
    EXPECT_FALSE(workspace().openFile(folder + u"/missing"_s));
    EXPECT_FALSE(workspace().openURL(QUrl(u"javascript:alert(1)"_s)));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(workspace().simulatedRequests().isEmpty());
    EXPECT_TRUE(commands->calls().empty()) << "nothing goes through a shell or another program";
}

TEST_F(LinuxWorkspaceTest, ADesktopEntryLaunchesItsOwnArgumentsWithoutAShell)
{
    EXPECT_TRUE(workspace().launchApplication(kApplications + u"/hostile.desktop"_s));
    EXPECT_EQ(started, (QList<QStringList>{{u"/opt/evil/bin/evil"_s, u"$(touch /tmp/pwned)"_s, u"; rm -rf ~"_s, u"`id`"_s}}));
    // An open quote, a link entry, no file, not an entry, nothing.
    for (const QString& refused : {kApplications + u"/broken.desktop"_s, kApplications + u"/link.desktop"_s,
                                   kApplications + u"/missing.desktop"_s, test::fixturePath(u"workspace/proc/stat-plain"_s), QString()})
        EXPECT_FALSE(workspace().launchApplication(refused)) << refused.toStdString();
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(commands->calls().empty()) << "nothing goes through a shell or another program";
}

TEST_F(LinuxWorkspaceTest, IconsAreImageFilesOrThemeNames)
{
    // Where the theme has neither name, the hicolor theme's picture, else the program's own.
    EXPECT_EQ(workspace().iconForFile(kApplications + u"/editor.desktop"_s),
              (WorkspaceIcon{{}, u"accessories-text-editor"_s, u"application-x-executable"_s,
                             tp->bundle->pathForResource(u"generic-application"_s, u"svg"_s)}));
    const std::pair<QString, QString> generic[] = {{extraApplications, u"generic-folder"_s},
                                                   {kApplications + u"/none.txt"_s, u"generic-document"_s},
                                                   {u"/Applications/Missing.app"_s, u"generic-application"_s}};
    for (const auto& [path, picture] : generic)
        EXPECT_EQ(workspace().iconForFile(path).fallbackFilePath, tp->bundle->pathForResource(picture, u"svg"_s));
    LinuxWorkspace::Settings s = settings();
    s.iconDataFolders = {test::makeTemporaryFolder(u"share"_s)};
    test::placeFile(s.iconDataFolders[0] + u"/icons/hicolor/48x48/apps/accessories-text-editor.png"_s, "png");
    EXPECT_EQ(LinuxWorkspace(s).iconForFile(kApplications + u"/editor.desktop"_s).fallbackFilePath,
              s.iconDataFolders[0] + u"/icons/hicolor/48x48/apps/accessories-text-editor.png"_s);
    EXPECT_EQ(workspace().iconForFile(kApplications + u"/notes.desktop"_s).filePath, u"/usr/share/tools/notes.svg"_s);

    // A bundle's icon comes from its Resources, and only from there.
    const QString bundle = onMac(u"/Applications/Notes.app"_s);
    test::placeFile(bundle + u"/Contents/Resources/NotesIcon.svg"_s, "<svg/>");
    for (const QString& name : {u"NotesIcon"_s, u"../../../../etc/passwd"_s}) {
        tp->propertyLists->writeToFile(QVariantMap{{u"CFBundleIconFile"_s, name}}, bundle + u"/Contents/Info.plist"_s);
        EXPECT_EQ(workspace().iconForFile(u"/Applications/Notes.app"_s).filePath,
                  name.startsWith(u'.') ? QString() : bundle + u"/Contents/Resources/NotesIcon.svg"_s);
    }
}

TEST_F(LinuxWorkspaceTest, ARealChildIsListedAndItsEndIsNoticed)
{
    test::placeFile(extraApplications + u"/sleeper.desktop"_s, "[Desktop Entry]\nType=Application\nName=Sleeper\nExec=sleep 60\n");
    LinuxWorkspace::Settings s = LinuxWorkspace::defaultSettings(*tp->bundle, siblings());
    s.applicationFolders = {extraApplications};
    workspace_ = std::make_unique<LinuxWorkspace>(s);
    Observation launches = listen(NSWorkspaceDidLaunchApplicationNotification);
    Observation quits = listen(NSWorkspaceDidTerminateApplicationNotification);
    pid_t child = 0;
    char sleep[] = "sleep", sixty[] = "60";
    char* argv[] = {sleep, sixty, nullptr};
    ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
    look();
    EXPECT_EQ(heard.filter(u"launched Sleeper %1@"_s.arg(child)).size(), 1) << heard.join(u'\n').toStdString();
    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    look();
    EXPECT_EQ(heard.filter(u"quit Sleeper %1@"_s.arg(child)).size(), 1);
}

TEST_F(LinuxWorkspaceTest, ASimulatedBundleStartsTheFirstDesktopEntryItNamesThatThisMachineHas)
{
    const QString terminal = u"/System/Applications/Utilities/Terminal.app"_s;
    const QString pane = u"/System/Library/PreferencePanes/Battery.prefPane"_s;
    const auto named = [&](const QString& bundle, const QStringList& entries) {
        test::placeFile(onMac(bundle + u"/Contents/Info.plist"_s),
                tp->propertyLists->dataFromPropertyList(QVariantMap{{LinuxWorkspace::kDesktopEntriesKey, entries}},
                                                        PropertyListSerialization::Format::Xml));
    };
    named(terminal, {u"../escape.desktop"_s, u"absent.desktop"_s, u"term.desktop"_s, u"later.desktop"_s});
    named(pane, {u"power-panel.desktop"_s});
    test::placeFile(extraApplications + u"/term.desktop"_s, "[Desktop Entry]\nType=Application\nName=Term\nExec=xterm -title 'a b'\n");
    test::placeFile(extraApplications + u"/later.desktop"_s, "[Desktop Entry]\nType=Application\nName=Later\nExec=later\n");
    EXPECT_TRUE(workspace().openURL(QUrl::fromLocalFile(terminal)));
    // Launched by path or by name, it starts the same program.
    EXPECT_TRUE(workspace().launchApplication(terminal));
    EXPECT_TRUE(workspace().launchApplication(u"Terminal"_s));
    EXPECT_EQ(started, (QList<QStringList>(3, {u"xterm"_s, u"-title"_s, u"a b"_s})));
    // This machine has no power panel: nothing starts, nothing is simulated, and the log says why.
    EXPECT_FALSE(workspace().openFile(pane));
    EXPECT_EQ(started.size(), 3);
    EXPECT_TRUE(workspace().simulatedRequests().isEmpty());
    EXPECT_TRUE(tp.log().messages().contains(u"Nothing on this machine opens %1 (no desktop entry power-panel.desktop)"_s.arg(pane)));

    // Showing the desktop is asked of the window manager and recorded.
    int shown = 0;
    LinuxWorkspace::Settings s = settings();
    s.showDesktop = [&] { return ++shown, false; };
    LinuxWorkspace showing(s);
    showing.hideOtherApplications();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(showing.simulatedRequests().size(), 1);
    EXPECT_TRUE(tp.log().messages().contains(u"The window manager was not asked to show the desktop"_s));
}

TEST_F(LinuxWorkspaceTest, ATerminalProgramStartsInTheUsersTerminalOrIsLoggedNotStarted)
{
    const QString bin = test::makeTemporaryFolder(u"bin"_s);
    const QString terminal = bin + u"/my-terminal"_s;
    test::placeFile(terminal, "#!/bin/sh\n");
    QFile::setPermissions(terminal, QFile::ReadOwner | QFile::ExeOwner);
    const QString entry = extraApplications + u"/top.desktop"_s;
    test::placeFile(entry, "[Desktop Entry]\nType=Application\nName=Top\nTerminal=true\nExec=top -d \"1 2\"\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin));
    qputenv("TERMINAL", QFile::encodeName(terminal));
    EXPECT_TRUE(workspace().launchApplication(entry));
    qunsetenv("TERMINAL");
    EXPECT_FALSE(workspace().launchApplication(entry)) << "no terminal on PATH";
    qputenv("PATH", path);
    EXPECT_EQ(started, (QList<QStringList>{{terminal, u"-e"_s, u"top"_s, u"-d"_s, u"1 2"_s}}));
    // A working folder that is not there fails the start.
    test::placeFile(entry, "[Desktop Entry]\nType=Application\nName=Top\nPath=/nonexistent/tavrin\nExec=top\n");
    EXPECT_FALSE(workspace().launchApplication(entry));
    EXPECT_TRUE(tp.log().messages().contains(u"Top runs in the folder /nonexistent/tavrin, which is not there: not started"_s));
    EXPECT_TRUE(tp.log().messages().contains(u"Top runs in a terminal, and none was found (TERMINAL, x-terminal-emulator, "
                                              "xdg-terminal-exec or a common terminal): not started"_s));
}

TEST_F(LinuxWorkspaceTest, AProgramThatAnEntryStartsHasTheEntrysNameAndIcon)
{
    const QString base = test::makeTemporaryFolder(u"programs"_s);
    test::placeFile(extraApplications + u"/owl.desktop"_s, "[Desktop Entry]\nType=Application\nName=Night Owl\nIcon=night-owl\n"
                                                  "Exec=\"" + base.toUtf8() + "/bin/night-owl\" --quiet %U\n");
    const struct { QString path; bool executable; bool named; } cases[] = {
        {base + u"/bin/night-owl"_s, false, false}, // named by the entry, but no program
        {base + u"/other/night-owl"_s, true, false}, // the same file name elsewhere
        {base + u"/bin/night-owl"_s, true, true},
    };
    for (const auto& c : cases) {
        test::placeFile(c.path, "#!/bin/sh\n");
        QFile::setPermissions(c.path, c.executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        EXPECT_EQ(workspace().displayNameAtPath(c.path), c.named ? u"Night Owl"_s : u"night-owl"_s) << c.path.toStdString();
        EXPECT_EQ(workspace().iconForFile(c.path).themeName == u"night-owl"_s, c.named);
    }
    EXPECT_EQ(workspace().displayNameAtPath(kApplications + u"/editor.desktop"_s), u"My Editor"_s);
}
