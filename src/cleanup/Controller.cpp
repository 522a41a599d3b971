#include "Controller.h"

#include "platform/Platform.h"
#include "platform/files/FileManager.h"
#include "platform/log/SystemLog.h"
#include "platform/trash/Trash.h"
#include "utilities/SystemFolder.h"
#include "platform/workspace/Workspace.h"

#include <algorithm>

Controller& Controller::getController()
{
    static Controller* controller = new Controller; // lives as long as the process
    return *controller;
}

Controller::Controller() = default;

Controller::~Controller() = default;

// Scan

void Controller::eumeAllRootFileNodeWithRootArr(FileNodeList& rootArr, const QString& rootPath)
{
    aRootArr_ = &rootArr;
    eumeRoot_ = std::make_unique<EumeRoot>(); // the previous scan stops with its object
    eumeRoot_->setEumeDelegate(this);
    scanActive_ = true;
    eumeRoot_->eumeAllRootFileNodeWithRootArr(rootArr, rootPath);
}

void Controller::pauseScan()
{
    if (eumeRoot_)
        eumeRoot_->pauseScan();
}

void Controller::stopScan()
{
    if (eumeRoot_)
        eumeRoot_->stopScan();
    scanActive_ = false;
}

bool Controller::isScanRunning() const
{
    return scanActive_ && !(eumeRoot_ && eumeRoot_->isPauseScan());
}

float Controller::getProgress() const
{
    return eumeRoot_ ? eumeRoot_->getProgress() : -1.0f;
}

void Controller::endScan()
{
    // A stopped scan has had its end from the stop.
    if (!scanActive_)
        return;
    scanActive_ = false;
    if (aDelegate_)
        aDelegate_->endProScan();
}

// Selection

void Controller::changeSelectWithNode(FileNode* node, bool selectState)
{
    changeChildrenFilNodeStateWithFileNode(node, selectState);
    changeSelectAllButtonState();
    reloadTree();
}

void Controller::changeChildrenFilNodeStateWithFileNode(FileNode* node, bool selectState)
{
    node->setState(selectState ? FileNode::All : FileNode::None);
    if (!node->isDirectory())
        return;
    // A tick on a followed link is for the link alone: what it leads to is ticked item by item.
    const bool passed = selectState && !node->followsLink();
    for (const auto& child : node->children()) {
        child->setState(passed ? FileNode::All : FileNode::None);
        // A collapsed folder's contents follow when it is expanded.
        if (child->isDirectory() && child->isExpand())
            changeSelectWithNode(child.get(), passed);
    }
}

void Controller::changeFatherNodeSelectStateWithFileNode(FileNode* node, bool selectState)
{
    if (FileNode* father = node->father()) {
        const auto& children = father->children();
        const auto selected = std::count_if(children.begin(), children.end(),
                                            [](const auto& child) { return child->state() != FileNode::None; });
        const bool holdsFolder = std::any_of(children.begin(), children.end(),
                                             [](const auto& child) { return child->isDirectory(); });
        // A link with every item ticked is the link whole, which goes alone; while it is partly
        // ticked, its items go where they are.
        const bool whole = father->followsLink()
            ? std::all_of(children.begin(), children.end(), [](const auto& child) { return child->state() == FileNode::All; })
            : std::size_t(selected) == children.size() && !holdsFolder;
        if (whole)
            father->setState(FileNode::All);
        else
            father->setState(selected > 0 ? FileNode::Partly : FileNode::None);
        if (father->father())
            changeFatherNodeSelectStateWithFileNode(father, selectState);
    }
    changeSelectAllButtonState();
    reloadTree();
}

int32_t Controller::selectAllState(const FileNodeList& rootArr)
{
    if (rootArr.empty())
        return FileNode::None;
    if (std::all_of(rootArr.begin(), rootArr.end(), [](const auto& node) { return node->state() == FileNode::All; }))
        return FileNode::All;
    if (std::any_of(rootArr.begin(), rootArr.end(), [](const auto& node) { return node->state() != FileNode::None; }))
        return FileNode::Partly;
    return FileNode::None;
}

void Controller::changeSelectAllButtonState()
{
    const int32_t state = aRootArr_ ? selectAllState(*aRootArr_) : int32_t(FileNode::None);
    if (aDelegate_)
        aDelegate_->changeSelectAllButtonState(state);
}

void Controller::selectAllFileNode(bool selectState)
{
    if (aRootArr_) {
        for (const auto& node : *aRootArr_) {
            node->setState(selectState ? FileNode::All : FileNode::None);
            if (node->isExpand())
                changeSelectWithNode(node.get(), selectState);
        }
    }
    changeSelectAllButtonState();
    reloadTree();
}

void Controller::reloadTree()
{
    if (aDelegate_)
        aDelegate_->reloadTreeList();
}

void Controller::openFileWithFileNode(const FileNode* node)
{
    if (node && !node->nativePath().isEmpty())
        platform::Platform::current().workspace->selectFile(node->path(), QStringLiteral("Finder"));
}

void Controller::pereviewFileWithFileNode(const FileNode* node)
{
    if (node && !node->nativePath().isEmpty() && aDelegate_)
        aDelegate_->quickLookWithPath(node->path());
}

// Removal

namespace {

// A copy of the name that owns its bytes: a scan keeps names in its own memory, without the
// zero the platform's calls read up to.
QByteArray ownedName(const FileNode& node)
{
    QByteArray name = node.nativeName();
    name.detach();
    return name;
}

// The folders from the root down to `node`'s father, each as the scan opened it.
std::vector<platform::FolderStep> foldersAbove(const FileNode& node)
{
    std::vector<platform::FolderStep> folders;
    for (const FileNode* folder = node.father(); folder; folder = folder->father())
        folders.push_back({ownedName(*folder), folder->followsLink() ? folder->linkTarget() : folder->identity(),
                           folder->followsLink()});
    std::reverse(folders.begin(), folders.end());
    return folders;
}

void collectInto(const FileNodeList& list, const std::shared_ptr<FileNode>& father, const platform::ItemLocation& root,
                 std::vector<Controller::RemovalItem>& items)
{
    for (const auto& node : list) {
        if (node->state() == FileNode::None || node->isSystemFile())
            continue;
        if (node->state() == FileNode::All) {
            platform::ItemLocation location = root;
            location.folders = foldersAbove(*node);
            location.name = ownedName(*node);
            location.identity = node->identity();
            items.push_back({node, father, std::move(location), node->path()});
        } else {
            collectInto(node->children(), node, root, items);
        }
    }
}

} // namespace

std::vector<Controller::RemovalItem> Controller::collectSelected(const FileNodeList& rootArr, const platform::ItemLocation& root)
{
    std::vector<RemovalItem> items;
    collectInto(rootArr, nullptr, root, items);
    return items;
}

int32_t Controller::removeProgress(int k, int n)
{
    return n == 1 ? 30 : int32_t(int64_t(k) * 100 / n);
}

bool Controller::moveFileToTarshWithDic(FileNodeList& rootArr)
{
    return startRemoval(rootArr, Removal::Trash);
}

bool Controller::deleteFilesWithDic(FileNodeList& rootArr)
{
    return startRemoval(rootArr, Removal::Erase);
}

void Controller::stopRemove()
{
    isStopRemove_->store(true);
}

bool Controller::startRemoval(FileNodeList& rootArr, Removal removal)
{
    using platform::dispatchAsyncMain;
    aRootArr_ = &rootArr;
    auto items = isScanRunning() || removing_ || !eumeRoot_ ? std::vector<RemovalItem>{}
                                                            : collectSelected(rootArr, eumeRoot_->root());
    if (items.empty()) {
        // Never within this call: the window shows its sheet after starting the job.
        dispatchAsyncMain(lifetime_.guard([this] { finishRemoval(QString(), 0); }));
        return false;
    }
    removing_ = true;
    isStopRemove_->store(false);
    // Everything that touches the tree or the delegate goes back to the main thread, and is
    // dropped there once this controller is gone. The guard is made here, on the main thread.
    const auto onMain = [guarded = lifetime_.guard([](const std::function<void()>& task) { task(); })](
                            std::function<void()> task) {
        dispatchAsyncMain([guarded, task = std::move(task)] { guarded(task); });
    };
    platform::dispatchAsyncGlobal([this, items = std::move(items), stop = isStopRemove_, removal, onMain] {
        auto& p = platform::Platform::current();
        const int count = int(items.size());
        int failed = 0;
        // The user's and the system's folders as they are now: never removed, entered or moved.
        const platform::ProtectedFolders protectedFolders = SystemFolder::protectedFolders(platform::XdgUserFolder::Download);
        for (int k = 0; k < count; ++k) {
            const QString& path = items[k].path;
            if (stop->load())
                return onMain([this, path, failed] { finishRemoval(path, failed); });
            onMain([this, path, percent = removeProgress(k, count)] {
                if (aDelegate_)
                    aDelegate_->changeRemoveProgressWithPoint(percent, path);
            });
            const platform::ItemLocation& location = items[k].location;
            QString error;
            bool removed = false;
            if (protectedFolders.contains(location.rootIdentity) || protectedFolders.contains(location.identity))
                error = location.displayPath() + QStringLiteral(" is protected");
            else if (removal == Removal::Trash)
                removed = p.trash->recycleItemAtLocation(location, protectedFolders, &error);
            else
                removed = p.fileManager->removeItemAtLocation(location, protectedFolders, &error);
            if (removed) {
                onMain([this, item = items[k]] { takeOutOfTree(item); });
            } else {
                // What changed since the scan, or was refused, stays listed.
                ++failed;
                platform::NSLog((removal == Removal::Trash ? QStringLiteral("--recycle file error ---::%1")
                                                           : QStringLiteral("--delete file error ---::%1"))
                                    .arg(error.isEmpty() ? path : error));
            }
        }
        onMain([this, path = items.back().path, failed] { finishRemoval(path, failed); });
    });
    return true;
}

void Controller::takeOutOfTree(const RemovalItem& item)
{
    FileNodeList& list = item.father ? item.father->children() : *aRootArr_;
    const auto place = std::find(list.begin(), list.end(), item.node);
    if (place != list.end())
        list.erase(place);
    if (item.father) {
        item.father->setState(FileNode::None);
        changeChildrenFilNodeStateWithFileNode(item.father.get(), false);
    }
}

void Controller::finishRemoval(const QString& lastPath, int failed)
{
    removing_ = false;
    if (failed > 0)
        platform::NSLog(QStringLiteral("--remove failed ---::%1 items stay").arg(failed));
    selectAllFileNode(false);
    if (aDelegate_) {
        aDelegate_->endRemoveWithFailedCount(failed);
        aDelegate_->changeRemoveProgressWithPoint(100, lastPath);
    }
}
