#include "CleanupTestSupport.h"

#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "TrashFakes.h"

namespace {

std::shared_ptr<FileNode> node(const char* path, bool folder = false, FileNode* father = nullptr)
{
    return std::make_shared<FileNode>(QByteArray(path), folder, father);
}

// A folder "/d" with two files, and a folder "/m" with a file and a subfolder "/m/s" with a file.
struct Tree {
    Tree()
    {
        for (auto* child : {"/d/x", "/d/y"})
            d->children().push_back(node(child, false, d.get()));
        m->children() = {node("/m/f", false, m.get()), sub};
        sub->children().push_back(node("/m/s/g", false, sub.get()));
    }
    std::shared_ptr<FileNode> d = node("/d", true);
    std::shared_ptr<FileNode> m = node("/m", true);
    std::shared_ptr<FileNode> sub = node("/m/s", true, m.get());
    FileNodeList roots{d, m};
};

using ControllerSelection = test::PlatformTest;

TEST_F(ControllerSelection, TriStateRulesDownAndUpTheTree)
{
    Controller controller;
    test::RecordingDelegate delegate;
    controller.setADelegate(&delegate);
    Tree tree;
    const auto click = [&](FileNode* node) {
        node->setState(node->state() == FileNode::All ? FileNode::None : FileNode::All);
        if (node->isExpand())
            controller.changeSelectWithNode(node, node->state() == FileNode::All);
        controller.changeFatherNodeSelectStateWithFileNode(node, node->state() == FileNode::All);
    };
    FileNode* x = tree.d->children()[0].get();
    FileNode* y = tree.d->children()[1].get();

    click(x);
    EXPECT_EQ(tree.d->state(), FileNode::Partly);
    click(y);
    EXPECT_EQ(tree.d->state(), FileNode::None);
    click(x);
    click(y);
    EXPECT_EQ(tree.d->state(), FileNode::All);

    // A folder that holds a folder is never made whole from below.
    click(tree.m->children()[0].get());
    click(tree.m->children()[0].get());
    EXPECT_EQ(tree.m->state(), FileNode::Partly);

    // A collapsed folder keeps its children's states; expanded, its state goes down.
    tree.sub->children()[0]->setState(FileNode::All);
    click(tree.sub.get());
    EXPECT_EQ(tree.sub->children()[0]->state(), FileNode::All);
    tree.sub->setIsExpand(true);
    controller.changeSelectWithNode(tree.sub.get(), false);
    EXPECT_EQ(tree.sub->children()[0]->state(), FileNode::None);

    struct Case {
        std::vector<int64_t> states;
        int32_t selectAll;
    };
    for (const Case& c : {Case{{1, 0}, 2}, Case{{}, 0}, Case{{1, 1}, 1}, Case{{2, 0}, 2}, Case{{0, 0}, 0}}) {
        FileNodeList list;
        for (int64_t state : c.states) {
            list.push_back(node("/n"));
            list.back()->setState(state);
        }
        EXPECT_EQ(Controller::selectAllState(list), c.selectAll);
    }

    // A partly selected folder gives only its selected contents.
    tree.d->setState(FileNode::Partly);
    tree.d->children()[0]->setState(FileNode::None);
    tree.m->setState(FileNode::All);
    std::vector<std::string> collected;
    for (const auto& item : Controller::collectSelected(tree.roots))
        collected.push_back(item.node->nativePath().toStdString());
    EXPECT_EQ(collected, (std::vector<std::string>{"/d/y", "/m"}));
}

class RemovalTest : public test::PlatformTest {
protected:
    RemovalTest() : root(QFile::encodeName(platform.folder()) + "/dl")
    {
        test::makeFolder(root);
        controller.setADelegate(&delegate);
        auto trash = std::make_unique<test::RecordingTrash>();
        recycler = trash.get();
        platform->trash = std::move(trash);
    }
    void scan()
    {
        list.clear();
        controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(root));
        platform.dispatcher().drainAll();
    }

    QByteArray root;
    FileNodeList list;
    Controller controller;
    test::RecordingDelegate delegate;
    test::RecordingTrash* recycler = nullptr;
};

TEST_F(RemovalTest, ProgressReportsForOneThreeAndFourItems)
{
    struct Case {
        int items;
        std::vector<int32_t> reports;
    };
    for (const Case& c : {Case{1, {30, 100}}, Case{3, {0, 33, 66, 100}}, Case{4, {0, 25, 50, 75, 100}}}) {
        for (int i = 0; i < c.items; ++i)
            test::makeTree(root, {"f" + QByteArray::number(i) + ":1"});
        scan();
        delegate = {};
        EXPECT_TRUE(controller.moveFileToTarshWithDic(list));
        platform.dispatcher().drainAll();
        EXPECT_EQ(delegate.progress, c.reports);
        EXPECT_EQ(delegate.failed, std::vector<int32_t>{0});
        EXPECT_TRUE(list.empty());
        for (const QString& path : recycler->recycled())
            QFile::remove(path); // the fake moved nothing
    }
}

TEST_F(RemovalTest, StopLetsTheCurrentItemFinishThenClearsTheSelection)
{
    recycler->onRecycle = [this] { controller.stopRemove(); };
    test::makeTree(root, {"f0:30", "f1:20", "f2:10"});
    scan();
    controller.moveFileToTarshWithDic(list);
    platform.dispatcher().drainAll();
    EXPECT_EQ(delegate.progress, (std::vector<int32_t>{0, 100}));
    EXPECT_EQ(recycler->recycled(), QStringList{QFile::decodeName(root + "/f0")});
    EXPECT_EQ(delegate.paths.back(), QFile::decodeName(root + "/f1"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->state(), FileNode::None);
}

TEST_F(RemovalTest, NothingToRemoveStartsNoJobButStillEnds)
{
    test::makeTree(root, {"f:1"});
    scan();
    for (bool scanning : {false, true}) {
        SCOPED_TRACE(scanning);
        delegate = {};
        if (scanning)
            controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(root));
        else
            controller.selectAllFileNode(false);
        EXPECT_FALSE(controller.deleteFilesWithDic(list));
        EXPECT_TRUE(delegate.progress.empty()) << "the end came before the window could show its sheet";
        platform.dispatcher().drainMain();
        EXPECT_EQ(delegate.progress, std::vector<int32_t>{100});
        EXPECT_EQ(delegate.failed, std::vector<int32_t>{0});
        EXPECT_TRUE(test::existsAsItself(root + "/f"));
        platform.dispatcher().drainAll();
    }
}

TEST_F(RemovalTest, EraseRemovesHostileNamesExactlyAndKeepsWhatStays)
{
    const QByteArray outside = root + "/../outside";
    const QByteArray lookalike = root + "/a\xef\xbf\xbd" "b"; // how Qt would spell "a\xff" "b"
    test::makeTree(root, {"../outside/", "../outside/keep:5", "it's \"quoted\" $(x):3", "new\nline:3",
                          "protected:3", "fails:3", "a\xff" "b:4", "a\xef\xbf\xbd" "b:4"});
    ASSERT_EQ(::symlink(outside.constData(), (root + "/link").constData()), 0);
    test::protectPaths(platform.resourcePath(QStringLiteral("SystemFile.plist")),
                       {QFile::decodeName(root + "/protected")});
    auto fileManager = std::make_unique<test::FailingFileManager>(std::move(platform->fileManager));
    fileManager->failing << QFile::decodeName(root + "/fails");
    platform->fileManager = std::move(fileManager);
    scan();
    for (const auto& node : list)
        if (node->nativePath() == lookalike)
            node->setState(FileNode::None);

    EXPECT_TRUE(controller.deleteFilesWithDic(list));
    platform.dispatcher().drainAll();

    EXPECT_TRUE(test::existsAsItself(outside + "/keep")) << "removed through the link";
    EXPECT_TRUE(test::existsAsItself(lookalike));
    EXPECT_TRUE(test::existsAsItself(root + "/protected"));
    EXPECT_FALSE(test::existsAsItself(root + "/link"));
    EXPECT_FALSE(test::existsAsItself(root + "/it's \"quoted\" $(x)"));
    EXPECT_FALSE(test::existsAsItself(root + "/new\nline"));
    // The tree tells the truth: what is listed is on disk, and every failure is counted.
    int collectedStillThere = 0;
    for (const auto& node : list) {
        EXPECT_TRUE(test::existsAsItself(node->nativePath())) << node->displayName().toStdString();
        if (node->nativePath() != lookalike && node->nativePath() != root + "/protected")
            ++collectedStillThere;
    }
    EXPECT_EQ(delegate.failed, std::vector<int32_t>{collectedStillThere});
    EXPECT_GE(collectedStillThere, 1); // "fails" at least
    EXPECT_EQ(delegate.progress.back(), 100);
}

} // namespace
