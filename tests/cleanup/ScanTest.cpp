#include "CleanupTestSupport.h"

#include "EumeRoot.h"
#include "NodeTreeOperator.h"
#include "Progress.h"

#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "files/FileCatalog.h"

#include <future>
#include <thread>

namespace {

using namespace platform;

// The real catalog, with a say before each folder is opened and each batch is read.
class HookedCatalog : public FileCatalog {
public:
    explicit HookedCatalog(std::unique_ptr<FileCatalog> real) : real_(std::move(real)) {}
    OSErr pathMakeRef(const QString& path, FSRef* ref) const override { return real_->pathMakeRef(path, ref); }
    OSErr openIterator(const FSRef& folder, std::unique_ptr<FSIterator>* iterator) const override
    {
        if (onOpen)
            onOpen(folder.name());
        std::unique_ptr<FSIterator> inner;
        const OSErr status = real_->openIterator(folder, &inner);
        if (status == noErr)
            *iterator = std::make_unique<Iterator>(std::move(inner), *this);
        return status;
    }
    OSErr getCatalogInfo(const FSRef& ref, FSCatalogInfoBitmap which, FSCatalogInfo* info) const override
    {
        return real_->getCatalogInfo(ref, which, info);
    }

    std::function<void(const QByteArray& name)> onOpen;
    std::function<void()> onBulk;

private:
    struct Iterator : FSIterator {
        Iterator(std::unique_ptr<FSIterator> inner, const HookedCatalog& owner) : inner(std::move(inner)), owner(owner) {}
        OSErr getCatalogInfoBulk(std::size_t maximum, std::size_t* actual, FSCatalogInfoBitmap which,
                                 FSCatalogInfo* infos, FSRef* refs) override
        {
            if (owner.onBulk)
                owner.onBulk();
            return inner->getCatalogInfoBulk(maximum, actual, which, infos, refs);
        }
        std::unique_ptr<FSIterator> inner;
        const HookedCatalog& owner;
    };
    std::unique_ptr<FileCatalog> real_;
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
    // Three top-level folders "a", "b", "c", each with one file.
    void makeThreeFolders()
    {
        for (const char* name : {"a", "b", "c"}) {
            test::makeFolder(root + '/' + name);
            test::makeFile(root + '/' + name + "/f", 10);
        }
    }

    QByteArray root;
    HookedCatalog* catalog = nullptr;
    FileNodeList list;
    Controller controller;
    test::RecordingDelegate delegate;
    int ends = 0;
};

TEST(ScanOrder, InsertionPutsNewNodesBeforeEqualOnesAndResortKeepsTiesInPlace)
{
    const auto node = [](const char* name, uint64_t size) {
        auto made = std::make_shared<FileNode>(QByteArray("/d/") + name, false);
        made->setSize(size);
        return made;
    };
    struct Case {
        std::vector<std::pair<const char*, uint64_t>> inserted;
        QStringList order;
    };
    const Case cases[] = {
        {{{"a", 10}, {"b", 10}}, {"b", "a"}},
        {{{"a", 5}, {"b", 10}, {"c", 1}, {"d", 5}}, {"b", "d", "a", "c"}},
        {{{"a", 0}, {"b", 0}, {"c", 0}}, {"c", "b", "a"}},
    };
    for (const Case& c : cases) {
        FileNodeList list;
        for (const auto& [name, size] : c.inserted)
            NodeTreeOperator::fileInsertFatherWithRootArr(list, node(name, size));
        EXPECT_EQ(test::namesOf(list), c.order);
    }

    // Sizes grow while the list is sorted: the grown node rises, ties keep their order.
    FileNodeList list{node("a", 10), node("b", 5), node("c", 5)};
    list[2]->setSize(20);
    NodeTreeOperator::rootArrSortWithRootArr(list);
    EXPECT_EQ(test::namesOf(list), QStringList({"c", "a", "b"}));
    list[2]->setSize(10);
    NodeTreeOperator::rootArrSortWithRootArr(list);
    EXPECT_EQ(test::namesOf(list), QStringList({"c", "a", "b"}));
}

TEST_F(ScanTest, TreeIsSizedAndSortedWithoutFollowingLinks)
{
    const QByteArray outside = QFile::encodeName(platform.folder()) + "/outside";
    test::makeFolder(outside);
    test::makeFile(outside + "/x", 1000);
    test::makeFile(root + "/big", 300);
    test::makeFile(root + "/small", 1);
    test::makeFile(root + "/.hidden", 2);
    test::makeFolder(root + "/empty");
    test::makeFile(root + "/empty/e1");
    test::makeFolder(root + "/empty/e2");
    test::makeFolder(root + "/pkg.app");
    test::makeFolder(root + "/pkg.app/Contents");
    test::makeFile(root + "/pkg.app/Contents/x", 50);
    test::makeFolder(root + "/sub");
    test::makeFile(root + "/sub/f", 110);
    test::makeFolder(root + "/sub/deep");
    test::makeFile(root + "/sub/deep/g", 200);
    ASSERT_EQ(::symlink("../outside", (root + "/link").constData()), 0);

    controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(root));
    platform.dispatcher().drainAll();

    EXPECT_EQ(test::namesOf(list), QStringList({"sub", "big", "pkg.app", "link", ".hidden", "small", "empty"}));
    EXPECT_EQ(list[0]->size(), 310u);
    EXPECT_EQ(test::namesOf(list[0]->children()), QStringList({"deep", "f"}));
    EXPECT_EQ(list[0]->children()[0]->father(), list[0].get());
    EXPECT_EQ(list[3]->size(), 10u); // the link's own text
    EXPECT_FALSE(list[3]->isDirectory());
    EXPECT_TRUE(list[3]->children().empty());
    EXPECT_EQ(list[6]->size(), 0u);
    EXPECT_EQ(list[6]->children().size(), 2u);
    EXPECT_EQ(delegate.ends, 1);
    EXPECT_EQ(controller.getProgress(), 100.0f);
}

TEST_F(ScanTest, ProgressCountsTopLevelEntriesWhateverTheirSizes)
{
    makeThreeFolders();
    std::vector<float> seen;
    catalog->onOpen = [&](const QByteArray& name) {
        if (name != "dl")
            seen.push_back(controller.getProgress());
    };
    controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(root));
    EXPECT_EQ(controller.getProgress(), -1.0f);
    platform.dispatcher().drainAll();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_FLOAT_EQ(seen[0], 0.0f);
    EXPECT_NEAR(seen[1], 33.33f, 0.01);
    EXPECT_NEAR(seen[2], 66.67f, 0.01);
    EXPECT_EQ(controller.getProgress(), 100.0f);
}

TEST_F(ScanTest, StopLeavesWhatWasFoundAndReportsTheEndOnlyInTheLastEntry)
{
    for (int stopAt : {2, 3}) {
        SCOPED_TRACE(stopAt);
        const QByteArray base = root;
        root = base + QByteArray::number(stopAt);
        test::makeFolder(root);
        makeThreeFolders();
        FileNodeList found;
        EumeRoot scan;
        scan.setEumeDelegate(this);
        ends = 0;
        int opened = 0;
        catalog->onOpen = [&](const QByteArray& name) {
            if (name.size() == 1 && ++opened == stopAt) { // what was found so far stays
                scan.stopScan();
            }
        };
        scan.eumeAllRootFileNodeWithRootArr(found, QFile::decodeName(root));
        platform.dispatcher().drainAll();
        EXPECT_EQ(found.size(), std::size_t(stopAt));
        EXPECT_EQ(found.front()->children().size(), 1u);
        EXPECT_TRUE(found.back()->children().empty());
        EXPECT_EQ(ends, stopAt == 3 ? 1 : 0);
        root = base;
    }
}

TEST_F(ScanTest, PauseHoldsTheScanUntilResumedOrStoppedAndAStoppedScanAddsNothingToTheNext)
{
    for (bool resume : {true, false}) {
        SCOPED_TRACE(resume);
        const QByteArray folder = root + (resume ? "r" : "s");
        test::makeFolder(folder);
        for (int i = 0; i < 20; ++i) {
            test::makeFolder(folder + "/d" + QByteArray::number(i));
            test::makeFile(folder + "/d" + QByteArray::number(i) + "/f", i);
        }
        list.clear();
        delegate.ends = 0;
        int reads = 0;
        std::promise<void> paused;
        catalog->onBulk = [&] {
            if (++reads == 3) {
                Progress::isPause(true);
                paused.set_value();
            }
        };
        controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(folder));
        std::thread worker([this] { platform.dispatcher().drainGlobal(); });
        paused.get_future().wait();
        EXPECT_TRUE(Progress::isPause());
        const int readsWhilePaused = reads;
        if (resume)
            controller.pauseScan(); // flips back to running
        else
            controller.stopScan();
        worker.join();
        catalog->onBulk = nullptr;
        platform.dispatcher().drainMain();
        if (resume) {
            EXPECT_EQ(list.size(), 20u);
            EXPECT_EQ(delegate.ends, 1);
            continue;
        }
        EXPECT_EQ(reads, readsWhilePaused) << "the paused scan read on";
        EXPECT_EQ(delegate.ends, 0);

        // The next scan of the same list gets exactly its own entries.
        list.clear();
        controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(folder));
        platform.dispatcher().drainAll();
        EXPECT_EQ(list.size(), 20u);
        EXPECT_EQ(delegate.ends, 1);
    }
}

TEST_F(ScanTest, TopLevelThatEndsEarlyStillReportsTheEnd)
{
    test::makeFile(root + "/file", 7);
    test::makeFolder(root + "/empty");
    struct Case {
        const char* name;
        std::size_t listed;
        float progress;
    };
    for (const Case& c : {Case{"missing", 0, -1.0f}, Case{"file", 1, -1.0f}, Case{"empty", 0, -1.0f}}) {
        SCOPED_TRACE(c.name);
        list.clear();
        delegate.ends = 0;
        controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(root + '/' + c.name));
        platform.dispatcher().drainAll();
        ASSERT_EQ(list.size(), c.listed);
        if (c.listed) {
            EXPECT_EQ(list[0]->size(), 7u);
        }
        EXPECT_EQ(controller.getProgress(), c.progress);
        EXPECT_EQ(delegate.ends, 1);
    }
}

} // namespace
