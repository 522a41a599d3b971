#include "NodeTreeOperator.h"

#include "ChangeQueue.h"
#include "NodeArena.h"
#include "ScanGate.h"

#include "platform/Platform.h"
#include "platform/files/NativePath.h"

#include <algorithm>

namespace {

// Before the first node not larger, found by halving: the list is sorted, largest first.
void insertBySize(FileNodeList& list, std::shared_ptr<FileNode> node, uint64_t size)
{
    const auto place = std::partition_point(list.begin(), list.end(),
                                            [size](const std::shared_ptr<FileNode>& other) { return other->size() > size; });
    list.insert(place, std::move(node));
}

} // namespace

NodeTreeOperator::NodeTreeOperator(std::shared_ptr<ScanGate> gate)
    : gate_(std::move(gate)), changes_(std::make_shared<ChangeQueue>()), arena_(std::make_shared<NodeArena>()),
      fileArena_(std::make_shared<NodeArena>())
{
}

void NodeTreeOperator::postChange(std::function<void()> change)
{
    {
        // What is found after this change goes in after it.
        std::lock_guard lock(handoverMutex_);
        open_.reset();
    }
    changes_->post(std::move(change));
}

void NodeTreeOperator::sendChanges()
{
    changes_->send();
}

bool NodeTreeOperator::testPoint()
{
    if (gate_->isPaused())
        changes_->send();
    return gate_->pass();
}

uint64_t NodeTreeOperator::getOneFileSizeWithPath(const QByteArray& nativePath)
{
    const auto& catalog = *platform::Platform::current().fileCatalog;
    platform::FSRef ref;
    platform::FSCatalogInfo info;
    if (catalog.pathMakeRef(platform::pathFromNative(nativePath), &ref) != platform::noErr
        || catalog.getCatalogInfo(ref, platform::kFSCatInfoGettableInfo, &info) != platform::noErr)
        return 0;
    return info.dataLogicalSize;
}

uint64_t NodeTreeOperator::getFileSizeWithPat(const platform::FSRef& folder, const std::shared_ptr<FileNode>& root,
                                              uint64_t total)
{
    using namespace platform;
    const auto& catalog = *Platform::current().fileCatalog;
    std::unique_ptr<FSIterator> iterator;
    // A folder that cannot be read, or is no folder any more, counts nothing and lists nothing.
    if (catalog.openIterator(folder, &iterator) != noErr)
        return total;
    // A link the scan follows is known as itself; the folder it leads to was checked on the way.
    const FileIdentity identity = root->followsLink() ? FileIdentity() : iterator->folderIdentity();

    if (batches_.size() == depth_)
        batches_.push_back(std::make_unique<Batch>());
    auto& [infos, refs, found] = *batches_[depth_];
    found.clear();
    struct Deeper {
        std::size_t& depth;
        ~Deeper() { --depth; }
    } deeper{++depth_};
    bool resortChildren = false;
    uint64_t sum = total;
    for (bool more = true; more;) {
        std::size_t count = 0;
        const OSErr status = iterator->getCatalogInfoBulk(kBatchSize, &count, kFSCatInfoGettableInfo, infos, refs);
        if ((status != noErr && status != errFSNoMoreItems) || !testPoint())
            break;
        more = status == noErr;
        for (std::size_t i = 0; i < count && i < kBatchSize; ++i) {
            if (!testPoint()) {
                more = false;
                break;
            }
            if (!(infos[i].nodeFlags & kFSNodeIsDirectoryMask)) {
                const QByteArray& name = refs[i].name();
                found.files.emplace_back(found.names.size(), name.size());
                // Copied, never shared: the reference's buffer is written again for the next entry.
                found.names.append(name.constData(), name.size());
                found.found.push_back({nullptr, infos[i].dataLogicalSize, infos[i].identity()});
                sum += infos[i].dataLogicalSize;
                continue;
            }
            auto node = arena_->makeNode(root.get(), refs[i].name(), true);
            found.found.push_back({node, 0, {}});
            flush(root, identity, sum, found, resortChildren);
            // The folder's own last flush gives it its size; this one gives it to its parent
            // at once, so a pause after it shows the parent with it.
            sum += getFileSizeWithPat(refs[i], node, total);
            resortChildren = true;
            flush(root, identity, sum, found, resortChildren);
        }
        flush(root, identity, sum, found, resortChildren);
    }
    return sum;
}

void NodeTreeOperator::Handover::clear()
{
    folders.clear();
    found.clear();
    files.clear();
    names.resize(0);
}

void NodeTreeOperator::flush(const std::shared_ptr<FileNode>& root, platform::FileIdentity identity, uint64_t sum,
                             Handover& found, bool& resortChildren)
{
    std::shared_ptr<Handover> opened;
    std::size_t folders = 0;
    {
        std::lock_guard lock(handoverMutex_);
        if (!open_)
            opened = open_ = std::make_shared<Handover>();
        Handover& to = *open_;
        const qsizetype base = to.names.size();
        for (const auto& [at, length] : found.files)
            to.files.emplace_back(base + at, length);
        // Copied, never shared, so that `found` keeps its room and the main thread reads a buffer
        // that nothing on this thread writes again.
        to.names.append(found.names.constData(), found.names.size());
        std::move(found.found.begin(), found.found.end(), std::back_inserter(to.found));
        to.folders.push_back({root, to.found.size(), sum, identity, resortChildren});
        folders = to.folders.size();
    }
    if (opened)
        changes_->post([self = shared_from_this(), opened] { self->apply(*opened); });
    else if (folders % kFoldersPerHop == 0)
        changes_->send();
    else
        changes_->sendIfDue();
    found.clear();
    resortChildren = false;
}

void NodeTreeOperator::apply(Handover& handover)
{
    {
        std::lock_guard lock(handoverMutex_);
        if (open_.get() == &handover)
            open_.reset();
    }
    if (!mayChangeTree())
        return;
    auto file = handover.files.cbegin();
    std::size_t begin = 0;
    for (const Handover::Folder& folder : handover.folders) {
        FileNode* root = folder.root.get();
        const std::span<Found> found(handover.found.data() + begin, folder.end - begin);
        begin = folder.end;
        for (Found& entry : found) {
            if (entry.node)
                continue;
            const auto [at, length] = *file++;
            entry.node = fileArena_->makeNode(root, QByteArray::fromRawData(handover.names.constData() + at, length), false);
            entry.node->setSize(entry.size);
            entry.node->setIdentity(entry.identity);
        }
        if (folder.resort)
            rootArrSortWithRootArr(root->children());
        fileInsertFatherWithRootArr(root->children(), found);
        // The parent-size update: root's size changed, so the list that holds it is re-sorted.
        root->setSize(folder.size);
        if (folder.identity.isKnown())
            root->setIdentity(folder.identity);
        if (root->father())
            rootArrSortWithRootArr(root->father()->children());
        else if (opDelegate_)
            opDelegate_->doRootArrSort();
    }
}

void NodeTreeOperator::rootArrSortWithRootArr(FileNodeList& list)
{
    // An insertion sort: the list is sorted but for the node that grew, so this is one pass.
    // Each size is read once per comparison and the loop stays in bounds, so sizes that grow
    // meanwhile cost at most order, which the next re-sort mends.
    for (std::size_t i = 1; i < list.size(); ++i) {
        const uint64_t size = list[i]->size();
        if (list[i - 1]->size() >= size)
            continue;
        std::shared_ptr<FileNode> node = std::move(list[i]);
        std::size_t j = i;
        for (; j > 0 && list[j - 1]->size() < size; --j)
            list[j] = std::move(list[j - 1]);
        list[j] = std::move(node);
    }
}

void NodeTreeOperator::fileInsertFatherWithRootArr(FileNodeList& list, std::shared_ptr<FileNode> node)
{
    const uint64_t size = node->size();
    insertBySize(list, std::move(node), size);
}

void NodeTreeOperator::fileInsertFatherWithRootArr(FileNodeList& list, std::vector<Found> found)
{
    fileInsertFatherWithRootArr(list, std::span<Found>(found));
}

void NodeTreeOperator::fileInsertFatherWithRootArr(FileNodeList& list, std::span<Found> found)
{
    // One by one, each goes before the nodes of its size: among themselves the larger first,
    // of equal sizes the later first; before existing nodes of their size.
    std::reverse(found.begin(), found.end());
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.size > b.size; });
    std::size_t existing = list.size();
    std::size_t added = found.size();
    list.resize(existing + added);
    for (std::size_t out = list.size(); added > 0;) {
        if (existing > 0 && list[existing - 1]->size() <= found[added - 1].size)
            list[--out] = std::move(list[--existing]);
        else
            list[--out] = std::move(found[--added].node);
    }
}

void NodeTreeOperator::stopScan()
{
    if (!gate_->isStopped())
        changes_->drain();
    gate_->stop();
}

void NodeTreeOperator::sumAndSort(FileNodeList& list)
{
    // Folders in an order where each comes before what it holds; taken backwards, each folder
    // comes after its contents. Without recursion: a tree may be deeper than the stack allows.
    std::vector<FileNode*> folders;
    std::vector<FileNodeList*> pending{&list};
    while (!pending.empty()) {
        FileNodeList* next = pending.back();
        pending.pop_back();
        for (const auto& node : *next) {
            if (node->isDirectory()) {
                folders.push_back(node.get());
                pending.push_back(&node->children());
            }
        }
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        uint64_t sum = 0;
        for (const auto& child : (*folder)->children())
            sum += child->size();
        (*folder)->setSize(sum);
        rootArrSortWithRootArr((*folder)->children());
    }
    rootArrSortWithRootArr(list);
}

bool NodeTreeOperator::isStopScan() const
{
    return gate_->isStopped();
}

bool NodeTreeOperator::mayChangeTree() const
{
    return !gate_->isStopped();
}
