#include "DownloadViewController.h"
#include "FullDiskAccessViewController.h"
#include "Progress.h"
#include "ProgressViewController.h"

#include "CleanupUiFakes.h"

#include "DowndLoadOutLineView.h"
#include "TextImageButton.h"

#include "Fakes.h"
#include "TestPlatform.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "UiTestSupport.h"
#include "WorkspaceFakes.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/TableColumn.h"
#include "platform/ui/TextField.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

using namespace platform::ui;
using namespace std::chrono_literals;

namespace {

// The cleaner that also keeps every removal report it is given.
class RecordingCleaner : public DownloadViewController {
public:
    void changeRemoveProgressWithPoint(int32_t percent, const QString& path) override
    {
        reports.push_back(percent);
        DownloadViewController::changeRemoveProgressWithPoint(percent, path);
    }
    std::vector<int32_t> reports;
};

// The cleaner in a window over a temporary folder: a.bin 300 bytes, folder/ with b (200) and
// c (100), Tool.app/ with one file, empty.txt; nothing runs until the test drains or polls.
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
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/folder")));
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/Tool.app")));
        ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/a.bin"), QByteArray(300, 'a')));
        ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/folder/b"), QByteArray(200, 'b')));
        ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/folder/c"), QByteArray(100, 'c')));
        ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/Tool.app/Contents"), QByteArray(50, 't')));
        ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/empty.txt"), QByteArray()));
    }
    void scanToEnd()
    {
        cleaner.doScanWithPath(folder);
        platform.dispatcher().drainAll();
    }
    void poll() { platform.dispatcher().advance(300ms); }

    FileNode* node(const char* name)
    {
        for (const auto& node : cleaner.rootNodeArr())
            if (node->name() == QLatin1String(name))
                return node.get();
        return nullptr;
    }
    TableColumn* column(const char* identifier) const
    {
        const int index = cleaner.outlineView()->columnWithIdentifier(QString::fromLatin1(identifier));
        return index < 0 ? nullptr : cleaner.outlineView()->tableColumns()[std::size_t(index)];
    }
    void clickCheckBox(FileNode* item) { cleaner.outlineView(*cleaner.outlineView(), QVariant(1), column("CheckBox"), item); }
    QString selectAllImage() const { return cleaner.selectAllButton()->image().name(); }
    // Whether each removal button works (the button's own switch).
    bool removalOffered() const
    {
        EXPECT_EQ(cleaner.moveToTrashButton()->isDisabled(), cleaner.deleteButton()->isDisabled());
        return cleaner.moveToTrashButton()->isDisabled();
    }
    // Runs the action; whether a sheet came up (its run drains the queues, which ends the job).
    bool removeShowsSheet(const std::function<void()>& action)
    {
        bool shown = false;
        QTimer::singleShot(0, qApp, [&] {
            shown = NSApp().modalWindow() != nullptr;
            platform.dispatcher().drainAll();
        });
        action();
        QCoreApplication::processEvents();
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
    poll();
    EXPECT_EQ(cleaner.progressLable()->stringValue(), QStringLiteral("-1.0%"));
    EXPECT_FALSE(cleaner.isScan());
    EXPECT_EQ(platform.dispatcher().validTimers(), 0u);
    platform.dispatcher().drainAll();
    EXPECT_TRUE(cleaner.rootNodeArr().empty());
    EXPECT_EQ(cleaner.selectAllButSt(), 0);
    EXPECT_EQ(selectAllImage(), QStringLiteral("option_no"));
    EXPECT_FALSE(removalOffered());
}

TEST_F(DownloadTest, AFinishedScanIsAllSelectedAndOffersRemoval)
{
    makeTree();
    scanToEnd();
    ASSERT_EQ(cleaner.rootNodeArr().size(), 4u);
    // Largest first; the package keeps its size but does not open, nor does a file.
    EXPECT_EQ(cleaner.rootNodeArr()[0]->name(), QStringLiteral("a.bin"));
    EXPECT_EQ(cleaner.rootNodeArr()[1]->name(), QStringLiteral("folder"));
    EXPECT_EQ(node("Tool.app")->size(), 50u);
    OutlineView& outline = *cleaner.outlineView();
    EXPECT_TRUE(cleaner.isItemExpandable(outline, node("folder")));
    EXPECT_FALSE(cleaner.isItemExpandable(outline, node("Tool.app")));
    EXPECT_FALSE(cleaner.isItemExpandable(outline, node("a.bin")));
    EXPECT_EQ(cleaner.outlineView(outline, column("Size"), node("a.bin")).toString(), QStringLiteral("300 byte"));

    EXPECT_EQ(cleaner.selectAllButSt(), 1);
    EXPECT_EQ(selectAllImage(), QStringLiteral("option_yes"));
    EXPECT_TRUE(removalOffered());
    EXPECT_TRUE(cleaner.scanProgressView()->isHiddenOrHasHiddenAncestor());
    EXPECT_EQ(cleaner.outlineBlowView()->frame(), Rect(16, 48, 528, 352));
}

TEST(DownloadViewControllerTest, PackagesAndFrameworksDoNotExpand)
{
    const struct {
        const char* name;
        bool hasChildren;
        bool expands;
    } cases[] = {
        {"Tool.app", true, false}, {"Kit.framework", true, false}, {"Tool.apps", true, true},
        {"app", true, true},       {"folder", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DownloadViewController::isExpandableNode(QString::fromLatin1(c.name), c.hasChildren), c.expands) << c.name;
}

TEST_F(DownloadTest, ClicksAreIgnoredWhileScanningAndWorkWhilePausedWithoutOfferingRemoval)
{
    cleaner.doScanWithPath(folder);
    // A node the scan has listed so far.
    auto listed = std::make_shared<FileNode>(folder + QStringLiteral("/x"), false);
    cleaner.rootNodeArr().push_back(listed);
    clickCheckBox(listed.get());
    cleaner.setAllSelectOrNoSelect();
    EXPECT_EQ(listed->state(), 1);

    cleaner.pauseButtonAction();
    EXPECT_EQ(cleaner.pauseButton()->textField()->stringValue(), QStringLiteral("Continue"));
    EXPECT_TRUE(Progress::isPause());
    clickCheckBox(listed.get());
    EXPECT_EQ(listed->state(), 0);
    cleaner.setAllSelectOrNoSelect();
    EXPECT_EQ(listed->state(), 1);
    EXPECT_EQ(cleaner.selectAllButSt(), 1);
    EXPECT_FALSE(removalOffered());
    // Nothing drains here: the scan would wait at its pause.
    cleaner.moveFileToTarsh();
    EXPECT_EQ(cleaner.progressView(), nullptr);
    EXPECT_FALSE(cleaner.isRemove());
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
        for (int i = 1; i <= 4; ++i)
            ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/f%1").arg(i), QByteArray(i * 10, 'x')));
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
    FileNode* partly = node("folder");
    for (FileNode* root : {node("a.bin"), node("Tool.app"), node("empty.txt")})
        root->setState(0);
    partly->setState(2);
    for (const auto& child : partly->children())
        child->setState(0);
    cleaner.changeSelectAllButtonState(2);
    ASSERT_TRUE(removalOffered());
    EXPECT_FALSE(removeShowsSheet([&] { cleaner.deleteFiles(); }));
    EXPECT_EQ(cleaner.progressView(), nullptr);
    EXPECT_FALSE(cleaner.isRemove());
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/folder/b")));
}

TEST_F(DownloadTest, RendersTheCleanerTheSheetAndThePrompt)
{
    makeTree();
    scanToEnd();
    FileNode* partly = node("folder");
    cleaner.outlineView()->expandItem(partly);
    clickCheckBox(partly->children().back().get());
    ASSERT_EQ(partly->state(), 2);
    // The removal buttons are offered, and drawn so.
    for (TextImageButton* button : {cleaner.moveToTrashButton(), cleaner.deleteButton()})
        EXPECT_EQ(button->currentLook(), ImageButtonLook::Normal);
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
    Window sheetWindow(Rect(0, 0, 376, 140), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
    sheetWindow.setBackgroundColor(Color::whiteColor());
    sheetWindow.contentView()->addSubview(*sheet.view());
    sheet.changeProgressValue(40, folder + QStringLiteral("/folder/b"));
    EXPECT_EQ(sheet.progressLabel()->stringValue(), QStringLiteral("40%"));
    sheetWindow.renderToImage().save(test::artifactPath(QStringLiteral("removal-sheet.png")));

    FullDiskAccessViewController prompt;
    Window promptWindow(Rect(0, 0, 376, 176), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
    promptWindow.setBackgroundColor(Color::whiteColor());
    promptWindow.contentView()->addSubview(*prompt.view());
    promptWindow.renderToImage().save(test::artifactPath(QStringLiteral("full-disk-access-prompt.png")));
}
