#include "cleanup/DownloadViewController.h"
#include "cleanup/FullDiskAccessViewController.h"
#include "cleanup/Progress.h"
#include "cleanup/ProgressViewController.h"
#include "CleanupTestSupport.h"
#include "controls/DowndLoadOutLineView.h"
#include "controls/TextImageButton.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "UiTestSupport.h"
#include "WorkspaceFakes.h"
#include "platform/ui/Button.h"
#include "platform/ui/TableColumn.h"
#include "platform/ui/TextField.h"

using namespace platform::ui;

namespace {

// The cleaner that also keeps every removal report it is given.
struct RecordingCleaner : DownloadViewController {
    void changeRemoveProgressWithPoint(int32_t percent, const QString& path) override
    {
        reports.push_back(percent);
        DownloadViewController::changeRemoveProgressWithPoint(percent, path);
    }
    std::vector<int32_t> reports;
};

void renderAlone(View& content, double width, double height, const char* file)
{
    Window window(Rect(0, 0, width, height), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
    window.setBackgroundColor(Color::whiteColor());
    window.contentView()->addSubview(content);
    window.renderToImage().save(test::artifactPath(QString::fromLatin1(file)));
}

// The cleaner in a window over a temporary folder; nothing runs until the test drains or polls.
class DownloadTest : public test::PlatformTest {
protected:
    void SetUp() override
    {
        trash = test::install<test::AnsweringTrash>(platform->trash);
        test::install<test::FakeWorkspace>(platform->workspace);
        folder = test::makeTemporaryFolder();
        window.contentView()->addSubview(*cleaner.view());
        window.setBackgroundColor(Color::whiteColor());
        window.orderFront();
    }
    void TearDown() override { Progress::isPause(false); }
    void makeTree()
    {
        test::makeTree(QFile::encodeName(folder), {"folder/", "Tool.app/", "a.bin:300", "folder/b:200", "folder/c:100",
                                                   "Tool.app/Contents:50", "empty.txt:0"});
    }
    void scanToEnd()
    {
        cleaner.doScanWithPath(folder);
        platform.dispatcher().drainAll();
    }
    FileNode* node(const char* name)
    {
        for (const auto& node : cleaner.rootNodeArr())
            if (node->name() == QLatin1String(name))
                return node.get();
        return nullptr;
    }
    TableColumn* column(const char* identifier) const
    {
        const OutlineView& outline = *cleaner.outlineView();
        return outline.tableColumns()[std::size_t(outline.columnWithIdentifier(QString::fromLatin1(identifier)))];
    }
    void clickCheckBox(FileNode* item) { cleaner.outlineView(*cleaner.outlineView(), QVariant(1), column("CheckBox"), item); }
    // Whether each removal button works (the button's own switch).
    bool removalOffered() const
    {
        EXPECT_EQ(cleaner.moveToTrashButton()->isDisabled(), cleaner.deleteButton()->isDisabled());
        return cleaner.moveToTrashButton()->isDisabled();
    }
    // Runs the action; whether a sheet came up (its run drains the queues, which ends the job).
    bool removeShowsSheet(const std::function<void()>& action)
    {
        const bool shown = test::showsModal(action, [this] { platform.dispatcher().drainAll(); });
        platform.dispatcher().drainAll();
        return shown;
    }
    test::AnsweringTrash* trash = nullptr;
    QString folder;
    Window window{Rect(0, 0, 560, 440), WindowStyleMaskBorderless, BackingStoreType::Buffered, false};
    RecordingCleaner cleaner;
};

} // namespace

TEST_F(DownloadTest, AnEmptyFolderShowsMinusOneForOnePollThenEnds)
{
    cleaner.doScanWithPath(folder);
    EXPECT_EQ(platform.dispatcher().validTimers(), 2u);
    platform.dispatcher().advance(std::chrono::milliseconds(300));
    EXPECT_EQ(cleaner.progressLable()->stringValue(), QStringLiteral("-1.0%"));
    EXPECT_FALSE(cleaner.isScan());
    EXPECT_EQ(platform.dispatcher().validTimers(), 0u);
    platform.dispatcher().drainAll();
    EXPECT_TRUE(cleaner.rootNodeArr().empty());
    EXPECT_EQ(cleaner.selectAllButSt(), 0);
    EXPECT_FALSE(removalOffered());
}

TEST_F(DownloadTest, AFinishedScanIsAllSelectedAndOffersRemoval)
{
    makeTree();
    scanToEnd();
    ASSERT_EQ(cleaner.rootNodeArr().size(), 4u);
    // Largest first; packages and frameworks keep their size but do not open, nor does a file.
    EXPECT_EQ(cleaner.rootNodeArr()[0]->name(), QStringLiteral("a.bin"));
    EXPECT_EQ(cleaner.rootNodeArr()[1]->name(), QStringLiteral("folder"));
    EXPECT_EQ(node("Tool.app")->size(), 50u);
    OutlineView& outline = *cleaner.outlineView();
    EXPECT_TRUE(cleaner.isItemExpandable(outline, node("folder")));
    EXPECT_FALSE(cleaner.isItemExpandable(outline, node("Tool.app")));
    EXPECT_FALSE(cleaner.isItemExpandable(outline, node("a.bin")));
    EXPECT_FALSE(DownloadViewController::isExpandableNode("Kit.framework", true));
    EXPECT_EQ(cleaner.outlineView(outline, column("Size"), node("a.bin")).toString(), QStringLiteral("300 byte"));
    EXPECT_EQ(cleaner.outlineView(outline, 2, node("folder")), nullptr);
    EXPECT_TRUE(platform.log().messages().contains(QStringLiteral("-------Error children")));
    EXPECT_EQ(node("a.bin")->isButtonState(), 0);
    EXPECT_EQ(cleaner.selectAllButSt(), 1);
    EXPECT_TRUE(removalOffered());
    EXPECT_TRUE(cleaner.scanProgressView()->isHiddenOrHasHiddenAncestor());
    EXPECT_EQ(cleaner.outlineBlowView()->frame(), Rect(16, 48, 528, 352));
}

TEST_F(DownloadTest, ClicksAreIgnoredWhileScanningAndWorkWhilePausedAndRemovalFollowsThemOnceNotRunning)
{
    cleaner.doScanWithPath(folder);
    auto listed = std::make_shared<FileNode>(folder + QStringLiteral("/x"), false); // listed so far
    cleaner.rootNodeArr().push_back(listed);
    clickCheckBox(listed.get());
    cleaner.setAllSelectOrNoSelect();
    EXPECT_EQ(listed->state(), 1);
    cleaner.pauseButtonAction();
    EXPECT_EQ(cleaner.pauseButton()->textField()->stringValue(), QStringLiteral("Continue"));
    EXPECT_TRUE(Progress::isPause());
    EXPECT_TRUE(removalOffered());
    clickCheckBox(listed.get());
    EXPECT_EQ(listed->state(), 0);
    cleaner.setAllSelectOrNoSelect();
    EXPECT_EQ(listed->state(), 1);
    EXPECT_EQ(cleaner.selectAllButSt(), 1);
    EXPECT_TRUE(removalOffered());
    cleaner.setAllSelectOrNoSelect();
    EXPECT_FALSE(removalOffered());
    cleaner.setAllSelectOrNoSelect();
    cleaner.pauseButtonAction(); // running again
    EXPECT_FALSE(removalOffered());
    cleaner.stopScanButtonAction(); // a stopped scan's ticked items may go at once
    EXPECT_TRUE(removalOffered());
}

TEST_F(DownloadTest, CloseWhilePausedResetsAndAReopenScansAfresh)
{
    makeTree();
    cleaner.doScanWithPath(folder);
    cleaner.pauseButtonAction();
    cleaner.closeWindowAction();
    EXPECT_EQ(cleaner.pauseButton()->textField()->stringValue(), QStringLiteral("Pause"));
    EXPECT_EQ(platform.dispatcher().validTimers(), 0u);
    EXPECT_TRUE(cleaner.rootNodeArr().empty());
    EXPECT_EQ(cleaner.selectAllButSt(), 0);
    EXPECT_EQ(cleaner.outlineBlowView()->frame(), Rect(16, 48, 528, 312));
    cleaner.doScanWithPath(folder);
    EXPECT_FALSE(Progress::isPause());
    platform.dispatcher().drainAll();
    EXPECT_EQ(cleaner.rootNodeArr().size(), 4u);
    EXPECT_TRUE(removalOffered());
}

TEST_F(DownloadTest, ARemovalReportsEachItemClosesTheSheetAndCountsWhatStayed)
{
    for (bool moved : {true, false}) {
        SCOPED_TRACE(moved);
        test::makeTree(QFile::encodeName(folder), {"f1:10", "f2:20", "f3:30", "f4:40"});
        trash->answer = moved;
        trash->recycled.clear();
        cleaner.reports.clear();
        scanToEnd();
        EXPECT_TRUE(removeShowsSheet([&] { cleaner.moveFileToTarsh(); }));
        EXPECT_EQ(cleaner.reports, (std::vector<int32_t>{0, 25, 50, 75, 100}));
        EXPECT_EQ(trash->recycled.size(), 4);
        EXPECT_EQ(NSApp().modalRunDepth(), 0);
        EXPECT_EQ(cleaner.progressView()->superDelegate(), nullptr);
        EXPECT_FALSE(cleaner.isRemove());
        // Whatever stayed on disk stays listed, and the title says how much.
        EXPECT_EQ(cleaner.rootNodeArr().size(), moved ? 0u : 4u);
        EXPECT_EQ(cleaner.titleLabel()->stringValue(),
                  moved ? QStringLiteral("Tavrin") : QStringLiteral("4 items could not be removed"));
    }
}

TEST_F(DownloadTest, AnEmptySelectionOpensNoSheet)
{
    makeTree();
    scanToEnd();
    // A partly selected folder whose children are all cleared: the control says "partly", yet
    // nothing would be removed.
    for (FileNode* root : {node("a.bin"), node("Tool.app"), node("empty.txt")})
        root->setState(0);
    node("folder")->setState(2);
    for (const auto& child : node("folder")->children())
        child->setState(0);
    cleaner.changeSelectAllButtonState(2);
    ASSERT_TRUE(removalOffered());
    EXPECT_FALSE(removeShowsSheet([&] { cleaner.deleteFiles(); }));
    EXPECT_EQ(cleaner.progressView(), nullptr);
    EXPECT_FALSE(cleaner.isRemove());
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/folder/b")));
}

TEST(DownloadColours, SizesFromOneMegabyteAreGreenThenOrangeThenRed)
{
    const Color green = Color::colorWithDeviceRed(85 / 255.0, 215 / 255.0, 135 / 255.0, 1), orange = Color::colorWithRed(1, 0.5, 0, 1);
    const std::pair<uint64_t, Color> cases[] = {{999999, Color::blackColor()}, {1000000, green}, {999999999, green},
                                                {1000000000, orange}, {999999999999, orange}, {1000000000000, Color::colorWithRed(1, 0, 0, 1)}};
    for (const auto& [size, colour] : cases)
        EXPECT_EQ(DownloadViewController::getFileColor(size), colour) << size;
}

TEST_F(DownloadTest, RendersTheCleanerTheSheetAndThePrompt)
{
    makeTree();
    scanToEnd();
    FileNode* partly = node("folder");
    cleaner.outlineView()->expandItem(partly);
    clickCheckBox(partly->children().back().get());
    ASSERT_EQ(partly->state(), 2);
    for (TextImageButton* button : {cleaner.moveToTrashButton(), cleaner.deleteButton()})
        EXPECT_EQ(button->currentLook(), ImageButtonLook::Normal); // offered, and drawn so
    const QImage image = window.renderToImage();
    image.save(test::artifactPath(QStringLiteral("download-cleaner.png")));
    // The partly selected folder's box is the blue "option_a"; its cleared child's has no blue.
    const auto blueIn = [&](FileNode* item) {
        // The outline's rows start at the top of its card, 440 - (48 + 5 + 326) below the window's top.
        const Rect box = cleaner.outlineView()->frameOfCellAtColumn(0, cleaner.outlineView()->rowForItem(item));
        const QRect area(int(16 + box.minX()), int(61 + box.minY()), int(box.width()), int(box.height()));
        return uitest::countPixels(image, area, [](const QColor& c) { return uitest::near(c, QColor(0x00, 0xc3, 0xf8), 30); });
    };
    EXPECT_GT(blueIn(partly), 60);
    EXPECT_EQ(blueIn(partly->children().back().get()), 0);
    ProgressViewController sheet;
    sheet.changeProgressValue(40, folder + QStringLiteral("/folder/b"));
    renderAlone(*sheet.view(), 376, 140, "removal-sheet.png");
    FullDiskAccessViewController prompt;
    renderAlone(*prompt.view(), 376, 176, "full-disk-access-prompt.png");
}
