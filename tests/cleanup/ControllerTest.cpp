#include "CleanupTestSupport.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "TrashFakes.h"
#include "IsolatedEnvironment.h"
#include <QDir>

namespace {

std::shared_ptr<FileNode> node(const char* path, bool folder = false, FileNode* father = nullptr, int64_t state = 1)
{
    auto made = std::make_shared<FileNode>(QByteArray(path), folder, father);
    made->setState(state);
    return made;
}

using ControllerSelection = test::PlatformTest;

// The window's click on a node's box.
void click(Controller& controller, FileNode* node)
{
    node->setState(node->state() == FileNode::All ? FileNode::None : FileNode::All);
    if (node->isExpand())
        controller.changeSelectWithNode(node, node->state() == FileNode::All);
    controller.changeFatherNodeSelectStateWithFileNode(node, node->state() == FileNode::All);
}

TEST_F(ControllerSelection, TriStateRulesDownAndUpTheTree)
{
    Controller controller;
    // "/d" with two files; "/m" with a file and a subfolder "/m/s" with a file.
    auto d = node("/d", true), m = node("/m", true), sub = node("/m/s", true, m.get());
    d->children() = {node("/d/x", false, d.get()), node("/d/y", false, d.get())};
    m->children() = {node("/m/f", false, m.get()), sub};
    sub->children() = {node("/m/s/g", false, sub.get())};
    const auto click = [&](const std::shared_ptr<FileNode>& node) { ::click(controller, node.get()); };
    const auto& x = d->children()[0];
    const auto& y = d->children()[1];
    click(x);
    EXPECT_EQ(d->state(), FileNode::Partly);
    click(y);
    EXPECT_EQ(d->state(), FileNode::None);
    click(x);
    click(y);
    EXPECT_EQ(d->state(), FileNode::All);
    // A folder that holds a folder is never made whole from below.
    click(m->children()[0]);
    click(m->children()[0]);
    EXPECT_EQ(m->state(), FileNode::Partly);
    // A collapsed folder keeps its children's states; expanded, its state goes down.
    click(sub);
    EXPECT_EQ(sub->children()[0]->state(), FileNode::All);
    sub->setIsExpand(true);
    controller.changeSelectWithNode(sub.get(), false);
    EXPECT_EQ(sub->children()[0]->state(), FileNode::None);
    const std::pair<std::vector<int64_t>, int32_t> selectAll[] = {{{1, 0}, 2}, {{}, 0}, {{1, 1}, 1}, {{2, 0}, 2}, {{0, 0}, 0}};
    for (const auto& [states, expected] : selectAll) {
        FileNodeList list;
        for (int64_t state : states)
            list.push_back(node("/n", false, nullptr, state));
        EXPECT_EQ(Controller::selectAllState(list), expected);
    }
    // A partly selected folder gives only its selected contents.
    d->setState(FileNode::Partly);
    x->setState(FileNode::None);
    m->setState(FileNode::All);
    QByteArrayList collected;
    for (const auto& item : Controller::collectSelected({d, m}, {"/", {1, 2}, {}, {}, {}}))
        collected << item.location.path();
    EXPECT_EQ(collected, QByteArrayList({"/d/y", "/m"}));
}

class RemovalTest : public test::PlatformTest {
protected:
    RemovalTest() : root(QFile::encodeName(platform.folder()) + "/dl")
    {
        test::makeFolder(root);
        controller.setADelegate(&delegate);
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
    test::RecordingTrash* recycler = test::install<test::RecordingTrash>(platform->trash);
};

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
    QFile plist(platform.resourcePath(QStringLiteral("SystemFile.plist")));
    ASSERT_TRUE(plist.open(QIODevice::WriteOnly | QIODevice::Truncate));
    plist.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>0</key><string>" + root +
                "/protected</string></dict></plist>\n");
    plist.close();
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
        collectedStillThere += node->nativePath() != lookalike && node->nativePath() != root + "/protected";
    }
    EXPECT_EQ(delegate.failed, std::vector<int32_t>{collectedStillThere});
    EXPECT_GE(collectedStillThere, 1); // "fails" at least
    EXPECT_EQ(delegate.progress.back(), 100);
}

// Ticks only the node at `names` below the list (the folders on the way partly).
void tickOnly(FileNodeList& list, const QList<QByteArray>& names)
{
    for (const auto& node : list) {
        const bool onTheWay = node->nativeName() == names.front();
        node->setState(!onTheWay ? FileNode::None : names.size() == 1 ? FileNode::All : FileNode::Partly);
        if (node->isDirectory() && node->state() != FileNode::All)
            tickOnly(node->children(), onTheWay ? names.mid(1) : QList<QByteArray>{""});
    }
}

// What the person does, in order: "*" Select All; "!path" a click on the item's box, the rows
// above it expanded first; a bare path ticks that item alone.
void act(Controller& controller, FileNodeList& list, const QByteArray& steps)
{
    for (const QByteArray& step : steps.split(' ')) {
        if (step == "*" || !step.startsWith('!')) {
            step == "*" ? controller.selectAllFileNode(true) : tickOnly(list, step.split('/'));
            continue;
        }
        FileNode* node = nullptr;
        for (const QByteArray& name : step.mid(1).split('/')) {
            if (node && !node->isExpand()) { // as the window expands a row
                node->setIsExpand(true);
                if (node->state() != FileNode::Partly)
                    controller.changeSelectWithNode(node, node->state() == FileNode::All);
            }
            FileNodeList& in = node ? node->children() : list;
            const auto found = std::find_if(in.begin(), in.end(), [&](const auto& child) { return child->nativeName() == name; });
            ASSERT_NE(found, in.end()) << step.constData();
            node = found->get();
        }
        click(controller, node);
    }
}

// Each removal reaches its item from the scanned folder, one checked folder at a time, with the
// real Trash and file manager.
TEST_F(ControllerSelection, OnlyWhatWasTickedGoesWhateverChangedSinceTheScan)
{
    const QString userDirs = qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs";
    const QByteArray home = QFile::encodeName(QDir::homePath());
    // What goes ("-") and what stays ("+"), below the case's folder ("~": the home).
    const std::tuple<QByteArray, QByteArrayList, int> cases[] = {
        {"sub/victim", {"+other/victim", "+dl/sub.moved/victim", "+dl/sub"}, 1}, // sub swapped for a link meanwhile
        {"link", {"-dl/link", "+outside/inside", "+outside/keep"}, 0}, // the link, never what it leads to
        {"link/inside", {"-outside/inside", "+dl/link", "+outside/keep"}, 0},
        // A tick on a link never reaches what it leads to; there only what shows ticked goes.
        {"* !link/inside", {"-outside/inside", "+outside/keep", "+outside/src/c", "+dl/link"}, 0},
        {"link !link/inside !link/inside", {"+outside/inside", "+outside/src/c", "+dl/link"}, 0},
        {"link !link/keep !link/src !link/inside", {"-dl/link", "+outside/inside", "+outside/src/c"}, 0}, // all: the link
        {"box", {"+dl/box/a", "+dl/box/Music/m"}, 0}, // it holds the user's Music folder: never offered
        {"home/Documents", {"+~/Documents/d"}, 0}, // never offered
    };
    for (const bool trash : {false, true}) {
        for (const auto& [ticked, expected, failed] : cases) {
            SCOPED_TRACE(ticked.toStdString() + (trash ? " to the Trash" : " erased"));
            const QByteArray base = QFile::encodeName(test::makeTemporaryFolder());
            test::makeTree(base, {"dl/", "dl/sub/", "dl/sub/victim:1", "other/", "other/victim:1", "outside/", "outside/inside:1",
                                  "outside/keep:1", "outside/src/", "outside/src/c:1", "dl/box/", "dl/box/a:1", "dl/box/Music/", "dl/box/Music/m:1"});
            ASSERT_TRUE(QDir().mkpath(QDir::homePath() + "/Documents") && test::writeFile(QDir::homePath() + "/Documents/d", "x"));
            ASSERT_EQ(::symlink("../outside", base + "/dl/link") + ::symlink(home, base + "/dl/home"), 0);
            ASSERT_TRUE(test::writeFile(userDirs, "XDG_DOWNLOAD_DIR=\"" + base + "/dl\"\nXDG_MUSIC_DIR=\"" + base + "/dl/box/Music\"\n"));
            FileNodeList list;
            Controller controller;
            test::RecordingDelegate delegate;
            controller.setADelegate(&delegate);
            controller.eumeAllRootFileNodeWithRootArr(list, QFile::decodeName(base + "/dl"));
            platform.dispatcher().drainAll();
            act(controller, list, ticked);
            if (ticked == "sub/victim") {
                ASSERT_EQ(::rename(base + "/dl/sub", base + "/dl/sub.moved") + ::symlink("../other", base + "/dl/sub"), 0);
            }
            trash ? controller.moveFileToTarshWithDic(list) : controller.deleteFilesWithDic(list);
            platform.dispatcher().drainAll();
            for (const QByteArray& item : expected)
                EXPECT_EQ(test::existsAsItself(item[1] == '~' ? home + item.mid(2) : base + '/' + item.mid(1)), item[0] == '+')
                    << item.constData();
            EXPECT_EQ(delegate.failed, std::vector<int32_t>{failed});
        }
    }
    QFile::remove(userDirs);
}

// The operations nothing in the window calls: the size order, a sort that leaves the tree as it
// is, and a preview that only asks the delegate.
TEST_F(ControllerSelection, SizeOrderSortingAndPreview)
{
    auto folder = node("/f", true), big = node("/f/big", false, folder.get()), small = node("/f/small", false, folder.get());
    big->setSize(9);
    small->setSize(1);
    folder->children() = {small, big};
    EXPECT_LT(big->compareSize(*small), 0);
    EXPECT_GT(small->compareSize(*big), 0);
    EXPECT_EQ(small->compareSize(*small), 0);
    folder->decendingSort();
    EXPECT_EQ(folder->children(), (FileNodeList{small, big}));

    Controller controller;
    test::RecordingDelegate delegate;
    controller.setADelegate(&delegate);
    controller.pereviewFileWithFileNode(big.get());
    controller.pereviewFileWithFileNode(nullptr);
    EXPECT_EQ(delegate.previews, QStringList{QStringLiteral("/f/big")});
}

} // namespace
