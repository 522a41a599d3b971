#include "EumeRoot.h"

#include "Progress.h"
#include "ScanGate.h"

#include "platform/Platform.h"
#include "platform/dispatch/Lifetime.h" // dispatchAsyncGlobal
#include "platform/files/CheckedWalk.h"
#include "platform/files/FileManager.h"
#include "platform/files/NativePath.h"

#include <atomic>
#include <optional>
#include <vector>

// What the background task shares with its EumeRoot. `owner` is read and cleared on the main
// thread only; once it is null the task changes nothing and reports nothing.
struct EumeRoot::Scan {
    std::shared_ptr<NodeTreeOperator> treeOperator;
    std::atomic<int> allFileCount{0};
    std::atomic<int> eumeFileCount{0};
    EumeRoot* owner = nullptr;

};

EumeRoot::EumeRoot() = default;

EumeRoot::~EumeRoot()
{
    abandon();
}

void EumeRoot::abandon()
{
    if (!scan_)
        return;
    scan_->owner = nullptr;
    scan_->treeOperator->setOpDelegate(nullptr);
    scan_->treeOperator->gate()->stop();
}

void EumeRoot::eumeAllRootFileNodeWithRootArr(FileNodeList& rootArr, const QString& rootPath)
{
    abandon();
    rootNodeArr_ = &rootArr;
    auto gate = std::make_shared<ScanGate>();
    scan_ = std::make_shared<Scan>();
    scan_->treeOperator = std::make_shared<NodeTreeOperator>(gate);
    scan_->treeOperator->setOpDelegate(this);
    scan_->owner = this;
    Progress::setCurrentGate(std::move(gate));
    getRootNodeListWithPath(rootPath);
}

void EumeRoot::getRootNodeListWithPath(const QString& path)
{
    platform::dispatchAsyncGlobal([scan = scan_, path] { run(scan, path); });
}

namespace {

// A reference to list the folder at the end of `place`'s folders (the root when there are none),
// reached as a removal reaches an item there: the root followed once where it is a link, each
// folder checked against what was seen, a step that follows a link only where it says so.
std::optional<platform::FSRef> folderToList(platform::ItemLocation place)
{
    using namespace platform;
    place.name = QByteArrayLiteral("entry"); // the walk opens only the folders
    FileDescriptor folder = CheckedWalk::openParent(place, nullptr);
    FSRef ref;
    // The folder itself, as its own entry ".".
    if (!folder.isValid() || Platform::current().fileCatalog->makeRefInFolder(std::move(folder), ".", &ref) != noErr)
        return std::nullopt;
    return ref;
}

} // namespace

void EumeRoot::run(const std::shared_ptr<Scan>& scan, const QString& path)
{
    using namespace platform;
    const auto report = [&scan] {
        scan->treeOperator->postChange([scan] {
            if (scan->owner && scan->owner->eumeDelegate_)
                scan->owner->eumeDelegate_->endScan();
        });
        scan->treeOperator->sendChanges();
    };
    // A change of the root list, made on the main thread while the scan may still change the tree.
    const auto change = [&scan](auto apply) {
        scan->treeOperator->postChange([scan, apply = std::move(apply)]() mutable {
            if (scan->owner && scan->treeOperator->mayChangeTree())
                apply(*scan->owner);
        });
    };
    const auto& catalog = *Platform::current().fileCatalog;
    const auto& files = *Platform::current().fileManager;
    NodeTreeOperator& treeOperator = *scan->treeOperator;
    // What a stopped scan posted on its way out goes over too, to be dropped there: a change
    // left behind would keep the scan and its tree alive.
    struct SendAtEnd {
        NodeTreeOperator& treeOperator;
        ~SendAtEnd() { treeOperator.sendChanges(); }
    } sendAtEnd{treeOperator};

    // The folder the person set, followed where it is a link (Downloads kept on another disk).
    // The root itself is never an item: a root that is no folder lists nothing.
    ItemLocation root;
    root.rootPath = nativeFromPath(path);
    const auto rootFolder = files.attributesOfItemAtPath(path, true);
    root.rootIdentity = rootFolder ? rootFolder->identity() : FileIdentity();
    const auto rootRef = folderToList(root);
    std::unique_ptr<FSIterator> iterator;
    if (!rootRef || catalog.openIterator(*rootRef, &iterator) != noErr)
        return report();
    change([root](EumeRoot& owner) { owner.root_ = root; });

    // The top level is listed whole first, so progress counts against all of it.
    std::vector<FSRef> refs;
    std::vector<FSCatalogInfo> infos;
    constexpr std::size_t kBatchSize = 40;
    for (OSErr status = noErr; status == noErr;) {
        FSRef batchRefs[kBatchSize];
        FSCatalogInfo batchInfos[kBatchSize];
        std::size_t count = 0;
        status = iterator->getCatalogInfoBulk(kBatchSize, &count, kFSCatInfoGettableInfo, batchInfos, batchRefs);
        if (status != noErr && status != errFSNoMoreItems)
            break;
        for (std::size_t i = 0; i < count && i < kBatchSize; ++i) {
            refs.push_back(std::move(batchRefs[i]));
            infos.push_back(batchInfos[i]);
        }
    }
    iterator.reset();
    if (refs.empty())
        return report();

    const int count = int(refs.size());
    scan->allFileCount = count;
    const QByteArray& folder = root.rootPath;
    int handled = 0;
    // Files go in by the batch, folders at once, so the order of finding stays the order of change.
    std::vector<NodeTreeOperator::Found> found;
    const auto insertFiles = [&] {
        if (found.empty())
            return;
        change([found = std::move(found)](EumeRoot& owner) mutable {
            NodeTreeOperator::fileInsertFatherWithRootArr(*owner.rootNodeArr_, std::move(found));
        });
        found.clear();
    };
    for (int i = 0; i < count; ++i) {
        if (!treeOperator.testPoint())
            break;
        const QByteArray entryPath = folder.endsWith('/') ? folder + refs[i].name() : folder + '/' + refs[i].name();
        // A link to a folder is shown as a folder, with what it leads to as its contents; links
        // further down are entries of their own.
        std::optional<FSRef> linked;
        FileIdentity linkTarget;
        if (!(infos[i].nodeFlags & kFSNodeIsDirectoryMask)) {
            const auto target = files.attributesOfItemAtPath(pathFromNative(entryPath), true);
            if (target && target->fileType == FileAttributes::Type::Directory) {
                ItemLocation through = root;
                through.folders.push_back({refs[i].name(), target->identity(), true});
                if ((linked = folderToList(through)))
                    linkTarget = target->identity();
            }
        }
        auto node = std::make_shared<FileNode>(entryPath, (infos[i].nodeFlags & kFSNodeIsDirectoryMask) || linked);
        node->setIdentity(infos[i].identity());
        if (node->isDirectory()) {
            insertFiles();
            if (linked)
                node->setLinkTarget(linkTarget);
            change([node](EumeRoot& owner) { owner.rootNodeArr_->push_back(node); });
            treeOperator.getFileSizeWithPat(linked ? *linked : refs[i], node, 0);
        } else {
            node->setSize(infos[i].dataLogicalSize);
            found.push_back({std::move(node), infos[i].dataLogicalSize, infos[i].identity()});
            if (found.size() == kBatchSize)
                insertFiles();
        }
        ++handled;
        ++scan->eumeFileCount;
    }
    insertFiles();
    if (handled == count)
        report();
}

void EumeRoot::insertFileInRootArrWithFile(std::shared_ptr<FileNode> node)
{
    NodeTreeOperator::fileInsertFatherWithRootArr(*rootNodeArr_, std::move(node));
}

void EumeRoot::doRootArrSort()
{
    NodeTreeOperator::rootArrSortWithRootArr(*rootNodeArr_);
}

float EumeRoot::getProgress() const
{
    const int all = scan_ ? scan_->allFileCount.load() : 0;
    return all < 1 ? -1.0f : float(scan_->eumeFileCount.load()) * 100.0f / float(all);
}

void EumeRoot::pauseScan()
{
    if (scan_)
        scan_->treeOperator->gate()->setPaused(!isPauseScan());
}

void EumeRoot::stopScan()
{
    if (!scan_ || scan_->treeOperator->isStopScan())
        return;
    scan_->treeOperator->stopScan();
    // The levels that were being scanned had not passed on their subfolders' sizes yet.
    NodeTreeOperator::sumAndSort(*rootNodeArr_);
}

bool EumeRoot::isPauseScan() const
{
    return scan_ && scan_->treeOperator->gate()->isPaused();
}

bool EumeRoot::isStopScan() const
{
    return scan_ && scan_->treeOperator->isStopScan();
}
