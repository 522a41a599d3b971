#include "TaskManager/TaskManagerViewController.h"
#include "controls/BgTableView.h"
#include "controls/ImageTextCell.h"
#include "controls/TMProgressView.h"
#include "TaskManager/TaskSelection.h"
#include "controls/TextImageButton.h"
#include "UiTestSupport.h"
#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "ProbeFakes.h"
#include "TestPlatform.h"
#include "WorkspaceFakes.h"
#include "platform/smc/SimulatedSmcConnection.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include <gtest/gtest.h>
#include <QDir>
#include <deque>

using namespace platform::ui;
using namespace Qt::StringLiterals;
using platform::ProcessControl;
using test::FakeHostStatistics;
using test::FakeWorkspace;
using test::RecordingProcessControl;

namespace {

constexpr uint64_t GiB = 1073741824;

QByteArray svg(const char* colour)
{
    return QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32'><circle cx='16' cy='16' r='15' fill='") +
           colour + "'/></svg>";
}

// A fresh platform for the tab: applications, processors, memory and a thermal zone of the
// test's choosing; nothing runs until the test drains the queues or fires the timer.
class TaskManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform->systemVersion = std::make_unique<test::FakeSystemVersion>();
        workspace = test::install<FakeWorkspace>(platform->workspace);
        processes = test::install<RecordingProcessControl>(platform->processControl);
        host = test::install<FakeHostStatistics>(platform->hostStatistics);
        auto* kernel = test::install<test::FakeKernelValues>(platform->kernelValues);
        platform->smc = std::make_unique<platform::SimulatedSmcConnection>(test::fixturePath(QStringLiteral("thermal/laptop")));

        host->cpus = {FakeHostStatistics::ticks(0, 0, 0), FakeHostStatistics::ticks(0, 0, 0)};
        kernel->setInteger("hw.pagesize", int64_t(4096));
        kernel->setInteger("hw.memsize", int64_t(16 * GiB));
        host->statistics.free_count = 4 * GiB / 4096;
        host->statistics.inactive_count = 2 * GiB / 4096;
        workspace->setLaunchedApplications({
            FakeWorkspace::application(QStringLiteral("Finder.app"), 301, QStringLiteral("/Applications/Finder.app"), 11),
            FakeWorkspace::application(QStringLiteral("Mail.app"), 302, QStringLiteral("/Applications/Mail.app"), 12),
            FakeWorkspace::application(QStringLiteral("Tavrin"), 303, QStringLiteral("/opt/Tavrin.app"), 13),
            FakeWorkspace::application(QStringLiteral("Notes"), 304, QStringLiteral("/usr/share/notes.desktop"), 14),
        });
    }

    // The tab as its host makes it: created, its view asked for, the queues drained.
    void open()
    {
        controller = std::make_unique<TaskManagerViewController>();
        window.contentView()->addSubview(*controller->view());
        window.orderFront();
        drain();
    }
    void drain() { platform.dispatcher().drainAll(); }
    void tick()
    {
        platform.dispatcher().fireTimers();
        drain();
    }

    // Clicks row `row`'s checkbox as the pointer would.
    void clickCheckBox(int row) { mouse.click({12 + 340 + 22, 436 - (40.0 * row + 20)}); }
    void clickClose() { mouse.click({348, 24}); }

    std::vector<int32_t> listedPids() const
    {
        std::vector<int32_t> pids;
        for (const TaskManagerInfo& info : controller->allApplications())
            pids.push_back(info.pID);
        return pids;
    }
    QString selection() const { return controller->selectLabel()->stringValue(); }
    bool closeWorks() const { return controller->closeBut()->isDisabled(); }
    double cpuBar() const { return controller->cpuPro()->progressBar()->frame().width(); }

    test::TestPlatform platform;
    FakeWorkspace* workspace = nullptr;
    RecordingProcessControl* processes = nullptr;
    FakeHostStatistics* host = nullptr;
    Window window{Rect(0, 0, 408, 528), WindowStyleMaskBorderless, BackingStoreType::Buffered, false};
    uitest::Mouse mouse{window};
    std::unique_ptr<TaskManagerViewController> controller;
};

} // namespace

TEST_F(TaskManagerTest, MarkingAndUnmarkingSwitchTheCloseButton)
{
    open();
    EXPECT_TRUE(closeWorks()) << "enabled at load";
    clickCheckBox(2);
    EXPECT_EQ(selection(), QStringLiteral("Selected: 1 / 4 Tasks"));
    clickCheckBox(2);
    EXPECT_FALSE(closeWorks()) << "no mark left";
    EXPECT_EQ(selection(), QStringLiteral("Selected: 0 / 4 Tasks"));
    clickClose();
    EXPECT_TRUE(processes->calls().empty()) << "a disabled Close does nothing";
    // A click on a name selects without marking.
    mouse.click({100, 436 - 20});
    EXPECT_EQ(controller->listTableView()->selectedRow(), 0);
    EXPECT_EQ(selection(), QStringLiteral("Selected: 0 / 4 Tasks"));
    // A launch rebuilds the list and clears every mark.
    clickCheckBox(0);
    clickCheckBox(1);
    workspace->launch(FakeWorkspace::application(QStringLiteral("Calendar.app"), 305, QStringLiteral("/c"), 15));
    drain();
    EXPECT_EQ(listedPids(), (std::vector<int32_t>{301, 302, 303, 304, 305}));
    EXPECT_EQ(TaskSelection::selectedCount(controller->allApplications()), 0u);
    EXPECT_EQ(selection(), QStringLiteral("Selected: 0 / 5 Tasks"));
}

TEST_F(TaskManagerTest, CloseForceQuitsExactlyTheMarkedRows)
{
    open();
    clickCheckBox(1);
    clickCheckBox(3);
    ASSERT_EQ(selection(), QStringLiteral("Selected: 2 / 4 Tasks"));
    clickClose();
    EXPECT_EQ(processes->calls(), (std::vector<RecordingProcessControl::Call>{{302, 12}, {304, 14}}))
        << "each with the start it was listed with";
    EXPECT_EQ(listedPids(), (std::vector<int32_t>{301, 303}));
    EXPECT_FALSE(closeWorks()) << "until a checkbox leaves a mark again";
    EXPECT_EQ(selection(), QStringLiteral("Selected: 2 / 4 Tasks")) << "left as it was";
    EXPECT_TRUE(platform.log().messages().isEmpty());
    // The workspace's word that they quit rebuilds the list.
    workspace->terminate(302);
    workspace->terminate(304);
    drain();
    EXPECT_EQ(listedPids(), (std::vector<int32_t>{301, 303}));
    EXPECT_EQ(selection(), QStringLiteral("Selected: 0 / 2 Tasks"));
}

TEST_F(TaskManagerTest, ForceQuitRefusesWhatIsNoProcessOfTheList)
{
    // A dictionary without a usable identifier and one naming init.
    QVariantMap broken = FakeWorkspace::application(QStringLiteral("Broken"), 0, QStringLiteral("/b"), 20);
    broken.remove(platform::NSApplicationProcessIdentifier);
    workspace->setLaunchedApplications({broken, FakeWorkspace::application(QStringLiteral("init"), 1, QStringLiteral("/i"), 1),
                                        FakeWorkspace::application(QStringLiteral("Gone"), 900, QStringLiteral("/g"), 77)});
    open();
    for (int row = 0; row < 3; ++row)
        clickCheckBox(row);
    processes->answer(ProcessControl::Outcome::NotTheSameProcess);
    clickClose();
    // Only the real one reaches the platform, with its start; the platform says it changed hands.
    EXPECT_EQ(processes->calls(), (std::vector<RecordingProcessControl::Call>{{900, 77}}));
    EXPECT_TRUE(listedPids().empty());
    EXPECT_EQ(platform.log().messages().size(), 3) << "each refusal is logged";
    EXPECT_EQ(controller->doCloseWithPID(QStringLiteral("7;reboot"), 5), ProcessControl::Outcome::InvalidIdentifier);
    EXPECT_EQ(processes->calls().size(), 1u);
}

namespace {

// Runs background work in whatever order the test picks, to bring results back out of order.
class ShufflingDispatcher : public test::ManualDispatcher {
public:
    void asyncGlobal(Task task) override { held.push_back(std::move(task)); }
    void runHeld(std::size_t index)
    {
        Task task = std::move(held[index]);
        held.erase(held.begin() + std::ptrdiff_t(index));
        task();
    }
    std::deque<Task> held;
};

} // namespace

TEST_F(TaskManagerTest, ABurstOfLaunchesAndQuitsCostsOneJobRunningAndOneWaiting)
{
    auto dispatcher = std::make_unique<ShufflingDispatcher>();
    ShufflingDispatcher& queues = *dispatcher;
    platform->dispatcher = std::move(dispatcher);
    controller = std::make_unique<TaskManagerViewController>();
    controller->view();
    queues.held.pop_back(); // the first CPU sample
    ASSERT_EQ(queues.held.size(), 1u) << "the first list";
    // While it runs, a burst: launches (one that quits again) and a quit of a listed row.
    for (int i = 0; i < 50; ++i)
        workspace->launch(FakeWorkspace::application(u"Burst"_s, 1000 + i, u"/burst"_s, 100 + i));
    workspace->terminate(1003);
    workspace->terminate(302);
    EXPECT_EQ(queues.held.size(), 1u) << "the burst waits as one job";
    for (int job = 0; job < 2; ++job) { // the list (which holds the burst), then the burst's changes
        clickCheckBox(0);
        queues.runHeld(0);
        queues.drainMain();
        EXPECT_EQ(listedPids().size(), 52u) << "each listed once";
    }
    EXPECT_TRUE(queues.held.empty());
    EXPECT_EQ(listedPids().back(), 1049);
    EXPECT_EQ(workspace->launchedApplicationsCalls(), 1) << "changes need no new list";
    EXPECT_EQ(selection(), u"Selected: 0 / 52 Tasks"_s) << "marks cleared";
}

TEST_F(TaskManagerTest, NothingReachesTheControllerAfterItIsGone)
{
    open();
    test::ManualDispatcher& queues = platform.dispatcher();
    EXPECT_EQ(queues.validTimers(), 1u);
    EXPECT_EQ(workspace->notificationCenter().observationCount(), 2);
    // Work under way in the background, and results already waiting on the main queue.
    controller->getAllProcess();
    controller->updateSysStat();
    queues.drainGlobal();
    controller->getAllProcess();
    controller->updateSysStat();
    ASSERT_GT(queues.pendingMain(), 0u);
    ASSERT_GT(queues.pendingGlobal(), 0u);
    controller.reset(); // as a rebuild of the start-menu window does
    EXPECT_EQ(workspace->notificationCenter().observationCount(), 0);
    EXPECT_EQ(queues.validTimers(), 0u);
    const int lists = workspace->launchedApplicationsCalls();
    workspace->launch(FakeWorkspace::application(QStringLiteral("After"), 400, QStringLiteral("/a"), 1));
    workspace->terminate(301);
    queues.fireTimers();
    queues.advance(std::chrono::seconds(10));
    drain();
    EXPECT_EQ(workspace->launchedApplicationsCalls(), lists) << "the list asked for meanwhile waited, and went";
}

TEST_F(TaskManagerTest, RefreshShowsLoadMemoryAndTemperature)
{
    open();
    EXPECT_EQ(controller->cpuCount(), 2u);
    EXPECT_EQ(controller->memoryLabel()->stringValue(), QStringLiteral("62.5%"));
    EXPECT_EQ(controller->tempLabel()->stringValue(), QStringLiteral("--")) << "first read at the first tick";
    // 25 % on one processor and 75 % on the other: 50 %.
    host->cpus = {FakeHostStatistics::ticks(20, 5, 75), FakeHostStatistics::ticks(50, 20, 25, 5)};
    tick();
    EXPECT_EQ(controller->cpuLabel()->stringValue(), QStringLiteral("50.0%"));
    EXPECT_EQ(controller->tempLabel()->stringValue(), QStringLiteral("45.5\u00b0C"));
    // A sample with another processor count leaves the CPU figures alone; memory still changes.
    host->cpus.push_back(FakeHostStatistics::ticks(0, 0, 0));
    host->statistics.free_count = 8 * GiB / 4096;
    tick();
    EXPECT_EQ(controller->cpuLabel()->stringValue(), QStringLiteral("50.0%"));
    EXPECT_DOUBLE_EQ(cpuBar(), 92);
    EXPECT_EQ(controller->memoryLabel()->stringValue(), QStringLiteral("37.5%"));
    // ... and so does a failed one.
    host->processorResult = platform::KERN_FAILURE;
    tick();
    EXPECT_EQ(controller->cpuLabel()->stringValue(), QStringLiteral("50.0%"));
    // A failed temperature read keeps the last text.
    auto smc = std::make_unique<test::FakeSmcConnection>();
    smc->answer = [](uint32_t, const QByteArray&, QByteArray&) { return platform::kIOReturnError; };
    platform->smc = std::move(smc);
    tick();
    EXPECT_EQ(controller->tempLabel()->stringValue(), QStringLiteral("45.5\u00b0C"));
}

TEST_F(TaskManagerTest, RendersTheListWithNamesIconsAndFigures)
{
    const QString folder = test::makeTemporaryFolder();
    const char* colours[] = {"#e8453c", "#34a853", "#4285f4"};
    QList<QVariantMap> applications;
    for (int i = 0; i < 3; ++i) {
        const QString path = folder + QStringLiteral("/app%1.svg").arg(i);
        ASSERT_TRUE(test::writeFile(path, svg(colours[i])));
        const QString app = QStringLiteral("/Applications/App%1.app").arg(i);
        workspace->setIcon(app, {path, {}, {}});
        applications << FakeWorkspace::application(QStringLiteral("Application %1.app").arg(i), 500 + i, app, i);
    }
    workspace->setLaunchedApplications(applications);
    window.setBackgroundColor(Color::whiteColor());
    open();
    host->cpus = {FakeHostStatistics::ticks(90, 0, 10), FakeHostStatistics::ticks(80, 10, 10)};
    tick();
    clickCheckBox(1);
    BgTableView& table = *controller->listTableView();
    auto* cell = dynamic_cast<ImageTextCell*>(table.preparedCellAtColumn(table.columnWithIdentifier(QStringLiteral("Name")), 1));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->nameStr(), QStringLiteral("Application 1"));
    const QImage image = window.renderToImage();
    image.save(test::artifactPath(QStringLiteral("task-manager-tab.png")));
    const auto at = [&](double x, double y) { return image.pixelColor(int(x), int(528 - y)); };
    // Row 1's checkbox is checked, row 0's not.
    EXPECT_TRUE(uitest::near(at(378, 436 - 64), QColor(0x00, 0xc3, 0xf8), 8));
    EXPECT_TRUE(uitest::near(at(378, 436 - 24), QColor(255, 255, 255), 8));
    // Each row's icon in its own colour, 4 points in; the name beside it.
    EXPECT_TRUE(uitest::near(at(12 + 4 + 12, 436 - 20), QColor(0xe8, 0x45, 0x3c), 8));
    EXPECT_TRUE(uitest::near(at(12 + 4 + 12, 436 - 100), QColor(0x42, 0x85, 0xf4), 8));
    EXPECT_GT(uitest::countPixels(image, QRect(12 + 35, 528 - 436 + 11, 85, 17), [](QColor c) { return c.lightness() < 128; }), 0);
    EXPECT_TRUE(uitest::near(at(12 + 150, 483), QColor(255, 192, 6))) << "90 % CPU: an amber bar past 160 points";
    // A later rebuild reads no icon file again: the same image comes back.
    const Image first = controller->allApplications()[1].image;
    QDir(folder).removeRecursively();
    controller->getAllProcess();
    drain();
    EXPECT_EQ(controller->allApplications()[1].image, first);
}
