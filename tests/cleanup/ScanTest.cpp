#include "CleanupTestSupport.h"
#include "cleanup/EumeRoot.h"
#include "cleanup/NodeTreeOperator.h"
#include "cleanup/Progress.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "platform/files/FileCatalog.h"
#include <future>
#include <thread>

namespace {

using namespace platform;

// The real catalog, with a say before each folder is opened.
struct HookedCatalog : FileCatalog {
    explicit HookedCatalog(std::unique_ptr<FileCatalog> real) : real(std::move(real)) {}
    OSErr pathMakeRef(const QString& path, FSRef* ref) const override { return real->pathMakeRef(path, ref); }
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override
    {
        onOpen(folder.name());
        return real->openIterator(folder, iterator);
    }
    OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap which, FSCatalogInfo* info) const override
    {
        return real->getCatalogInfo(ref, which, info);
    }
    OSErr deleteObject(const FSRef& ref) const override { return real->deleteObject(ref); }
    OSErr makeRefInFolder(FileDescriptor folder, const QByteArray& name, FSRef* ref) const override
    {
        return real->makeRefInFolder(std::move(folder), name, ref);
    }
    std::unique_ptr<FileCatalog> real;
    std::function<void(const QByteArray& name)> onOpen = [](const QByteArray&) {};
};

class ScanTest : public test::PlatformTest, public EumeRootDelegate {
protected:
    ScanTest() : root(QFile::encodeName(platform.folder()) + "/dl")
    {
        auto hooked = std::make_unique<HookedCatalog>(std::move(platform->fileCatalog));
        catalog = hooked.get();
        platform->fileCatalog = std::move(hooked);
        test::makeFolder(root);
        controller.setADelegate(&delegate);
    }
    void endScan() override { ++ends; }
    void scan(const QByteArray& folder)
    {
        list.clear();
        delegate.ends = 0;
        controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(folder));
    }
    QByteArray root;
    HookedCatalog* catalog = nullptr;
    FileNodeList list;
    Controller controller;
    test::RecordingDelegate delegate;
    int ends = 0;
};

std::shared_ptr<FileNode> sized(const char* name, uint64_t size)
{
    auto made = std::make_shared<FileNode>(QByteArray("/d/") + name, false);
    made->setSize(size);
    return made;
}

TEST(ScanOrder, InsertionPutsNewNodesBeforeEqualOnesAndResortKeepsTiesInPlace)
{
    using Sizes = std::vector<std::pair<const char*, uint64_t>>;
    const std::pair<Sizes, QStringList> cases[] = {{{{"a", 10}, {"b", 10}}, {"b", "a"}},
                                                   {{{"a", 5}, {"b", 10}, {"c", 1}, {"d", 5}}, {"b", "d", "a", "c"}},
                                                   {{{"a", 0}, {"b", 0}, {"c", 0}}, {"c", "b", "a"}}};
    for (const auto& [inserted, order] : cases) {
        // One by one, and as one batch merged in.
        FileNodeList list, merged;
        std::vector<NodeTreeOperator::Found> batch;
        for (const auto& [name, size] : inserted) {
            NodeTreeOperator::fileInsertFatherWithRootArr(list, sized(name, size));
            batch.push_back({sized(name, size), size, {}});
        }
        NodeTreeOperator::fileInsertFatherWithRootArr(merged, std::move(batch));
        EXPECT_EQ(test::namesOf(list), order);
        EXPECT_EQ(test::namesOf(merged), order);
    }
    // A batch into a list that has nodes goes before those of equal size.
    FileNodeList merged{sized("e", 10), sized("f", 5), sized("g", 0)};
    NodeTreeOperator::fileInsertFatherWithRootArr(
        merged, {{sized("a", 5), 5, {}}, {sized("b", 10), 10, {}}, {sized("c", 0), 0, {}}, {sized("d", 20), 20, {}}});
    EXPECT_EQ(test::namesOf(merged), QStringList({"d", "b", "e", "a", "f", "c", "g"}));
    // Sizes grow while the list is sorted: the grown node rises, ties keep their order.
    FileNodeList list{sized("a", 10), sized("b", 5), sized("c", 5)};
    list[2]->setSize(20);
    NodeTreeOperator::rootArrSortWithRootArr(list);
    EXPECT_EQ(test::namesOf(list), QStringList({"c", "a", "b"}));
    list[0]->setSize(10);
    NodeTreeOperator::rootArrSortWithRootArr(list);
    EXPECT_EQ(test::namesOf(list), QStringList({"c", "a", "b"}));
}

TEST_F(ScanTest, TreeIsSizedAndSortedFollowingTheRootAndTopLevelLinksToFoldersOnly)
{
    test::makeTree(root, {"big:300", "small:1", ".hidden:2", "empty/", "empty/e1:0", "empty/e2/", "pkg.app/",
                          "pkg.app/Contents/", "pkg.app/Contents/x:50", "sub/", "sub/f:110", "sub/deep/",
                          "sub/deep/g:200", "../outside/", "../outside/x:1000"});
    ASSERT_EQ(::symlink("../outside", (root + "/link").constData()), 0);
    ASSERT_EQ(::symlink("../../outside", (root + "/sub/deeper").constData()), 0);
    ASSERT_EQ(::symlink("dl", (root + "-link").constData()), 0); // the folder set may be a link
    for (const QByteArray& scanned : {root, root + "-link"}) {
        scan(scanned);
        platform.dispatcher().drainAll();
        EXPECT_EQ(test::namesOf(list), QStringList({"link", "sub", "big", "pkg.app", ".hidden", "small", "empty"}));
        EXPECT_TRUE(list[0]->followsLink() && list[0]->isDirectory());
        EXPECT_EQ(list[0]->children()[0]->nativePath(), scanned + "/link/x");
        EXPECT_EQ(list[0]->children()[0]->state(), FileNode::None) << "chosen with the link";
        EXPECT_EQ(list[1]->size(), 323u); // "deeper" counts its own text, nothing of what it leads to
        EXPECT_EQ(test::namesOf(list[1]->children()), QStringList({"deep", "f", "deeper"}));
        EXPECT_TRUE(list[1]->children()[2]->children().empty());
        EXPECT_EQ(list[6]->children().size(), 2u);
        EXPECT_EQ(delegate.ends, 1);
        EXPECT_EQ(controller.getProgress(), 100.0f);
    }
}

TEST_F(ScanTest, ProgressCountsEntriesAndAStopLeavesWhatWasFoundReportingOnlyInTheLastEntry)
{
    for (int stopAt : {2, 3, 0}) {
        SCOPED_TRACE(stopAt);
        const QByteArray folder = root + QByteArray::number(stopAt);
        test::makeTree(folder, {"/", "a/", "a/f:10", "b/", "b/f:20", "c/", "c/f:30"});
        FileNodeList found;
        EumeRoot scan;
        scan.setEumeDelegate(this);
        ends = 0;
        std::vector<float> progress;
        catalog->onOpen = [&](const QByteArray& name) {
            if (name.size() != 1 || name == ".") // the scanned folder itself
                return;
            progress.push_back(scan.getProgress());
            if (int(progress.size()) == stopAt)
                scan.stopScan();
        };
        scan.eumeAllRootFileNodeWithRootArr(found, QFile::decodeName(folder));
        EXPECT_EQ(scan.getProgress(), -1.0f);
        platform.dispatcher().drainAll();
        const std::size_t entries = stopAt ? stopAt : 3;
        ASSERT_EQ(found.size(), entries);
        EXPECT_EQ(found.front()->children().size(), 1u);
        EXPECT_EQ(found.back()->children().size(), stopAt ? 0u : 1u);
        EXPECT_EQ(ends, stopAt == 2 ? 0 : 1);
        ASSERT_EQ(progress.size(), entries);
        EXPECT_NEAR(progress.back(), (entries - 1) * 100.0f / 3, 0.01);
        // The entry that was cut short counts as handled.
        EXPECT_NEAR(scan.getProgress(), stopAt == 2 ? 200.0f / 3 : 100.0f, 0.01);
    }
}

TEST_F(ScanTest, PauseHoldsTheScanUntilResumedOrStoppedAndAStoppedScanAddsNothingToTheNext)
{
    for (const QByteArray how : {"resume", "stop"}) {
        SCOPED_TRACE(how.constData());
        const QByteArray folder = root + how;
        test::makeFolder(folder);
        for (int i = 0; i < 20; ++i)
            test::makeTree(folder, {"d" + QByteArray::number(i) + '/', "d" + QByteArray::number(i) + "/f:1"});
        int opened = 0;
        std::promise<void> paused;
        catalog->onOpen = [&](const QByteArray&) {
            if (++opened == 3) {
                Progress::isPause(true);
                paused.set_value();
            }
        };
        scan(folder);
        std::thread worker([this] { platform.dispatcher().drainGlobal(); });
        paused.get_future().wait();
        EXPECT_TRUE(Progress::isPause());
        const int openedWhilePaused = opened;
        how == "resume" ? controller.pauseScan() : controller.stopScan(); // a second pause resumes
        worker.join();
        catalog->onOpen = [](const QByteArray&) {};
        platform.dispatcher().drainMain();
        if (how == "stop") {
            EXPECT_EQ(opened, openedWhilePaused) << "the paused scan read on";
            EXPECT_EQ(delegate.ends, 0);
            scan(folder); // the next scan of the same list gets exactly its own entries
            platform.dispatcher().drainAll();
        }
        EXPECT_EQ(list.size(), 20u);
        EXPECT_EQ(delegate.ends, 1);
    }
}

// Every list largest first, every folder's size the sum of what it lists.
void expectSumsInOrder(const FileNodeList& list)
{
    for (std::size_t i = 1; i < list.size(); ++i)
        EXPECT_GE(list[i - 1]->size(), list[i]->size()) << list[i]->displayName().toStdString();
    for (const auto& node : list) {
        uint64_t sum = 0;
        for (const auto& child : node->children())
            sum += child->size();
        EXPECT_TRUE(!node->isDirectory() || node->size() == sum) << node->displayName().toStdString();
        expectSumsInOrder(node->children());
    }
}

TEST_F(ScanTest, AStopLeavesSizesThatAddUpInOrderAndAPauseShowsWhatWasAddedAndLetsItBeRemoved)
{
    test::makeTree(root, {"a:150", "P/", "P/S1/", "P/S1/x:100", "P/S2/", "P/S2/y:5", "P/S2/T/", "P/S2/T/z:200",
                          "P/S2/U/", "P/S2/U/w:3", "Q/", "Q/q:7"});
    for (int stopAt = 1; stopAt <= 7; ++stopAt) { // each folder open, the root's first
        int opened = 0;
        catalog->onOpen = [&](const QByteArray&) {
            if (++opened == stopAt)
                controller.stopScan();
        };
        scan(root);
        platform.dispatcher().drainAll();
        expectSumsInOrder(list);
    }
    // Paused as P's second folder opens, then P removed, then resumed.
    std::promise<void> paused;
    QByteArray first;
    catalog->onOpen = [&](const QByteArray& name) {
        if (name.startsWith('S') && !first.isEmpty()) {
            Progress::isPause(true);
            paused.set_value();
        }
        first = first.isEmpty() && name.startsWith('S') ? name : first;
    };
    scan(root);
    std::thread scanning([this] { platform.dispatcher().drainGlobal(); });
    paused.get_future().wait();
    const auto p = [this] {
        const auto found = std::find_if(list.begin(), list.end(), [](const auto& node) { return node->name() == "P"; });
        return found == list.end() ? nullptr : *found;
    };
    // What the scan has goes over before it waits: P with its first folder.
    const uint64_t expected = first == "S1" ? 100 : 208;
    for (int tries = 0; tries < 10000000 && !(p() && p()->size() == expected); ++tries)
        platform.dispatcher().drainMain();
    ASSERT_TRUE(p() && p()->size() == expected);
    for (const auto& node : list)
        node->setState(node == p() ? FileNode::All : FileNode::None);
    ASSERT_TRUE(controller.deleteFilesWithDic(list));
    std::thread([this] { platform.dispatcher().drainGlobal(); }).join(); // the removal, while the scan waits
    platform.dispatcher().drainMain();
    EXPECT_FALSE(test::existsAsItself(root + "/P"));
    controller.pauseScan();
    scanning.join();
    platform.dispatcher().drainAll();
    EXPECT_EQ(test::namesOf(list), QStringList({"a", "Q"}));
    EXPECT_EQ(delegate.failed, std::vector<int32_t>{0});
    EXPECT_EQ(delegate.ends, 1);
}

TEST_F(ScanTest, TopLevelThatEndsEarlyStillReportsTheEnd)
{
    test::makeTree(root, {"file:7", "empty/"});
    for (const QByteArray name : {"missing", "file", "empty"}) { // the scanned folder is never an item
        SCOPED_TRACE(name.constData());
        scan(root + '/' + name);
        platform.dispatcher().drainAll();
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(controller.getProgress(), -1.0f);
        EXPECT_EQ(delegate.ends, 1);
    }
    // The operations the scan no longer needs: a file's size, and the sorted insertion at the top.
    EXPECT_EQ(NodeTreeOperator::getOneFileSizeWithPath(root + "/file"), 7u);
    EXPECT_EQ(NodeTreeOperator::getOneFileSizeWithPath(root + "/missing"), 0u);
    EumeRoot top;
    top.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(root + "/missing"));
    for (const auto& [name, size] : {std::pair{"a", 5}, {"b", 9}, {"c", 5}})
        top.insertFileInRootArrWithFile(sized(name, size));
    EXPECT_EQ(test::namesOf(list), QStringList({"b", "c", "a"}));
}

} // namespace
