#include "NodeTreeOperator.h"

#include "ScanGate.h"

#include "Platform.h"
#include "dispatch/Lifetime.h"
#include "files/NativePath.h"

#include <algorithm>

namespace {

constexpr std::size_t kBatchSize = 40;

void insertBySize(FileNodeList& list, std::shared_ptr<FileNode> node, uint64_t size)
{
    const auto place = std::find_if(list.begin(), list.end(),
                                    [size](const std::shared_ptr<FileNode>& other) { return other->size() <= size; });
    list.insert(place, std::move(node));
}

QByteArray childPath(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

} // namespace

NodeTreeOperator::NodeTreeOperator(std::shared_ptr<ScanGate> gate) : gate_(std::move(gate)) {}

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
    const OSErr opened = catalog.openIterator(folder, &iterator);
    if (opened == errFSNotAFolder) {
        FSCatalogInfo info;
        return catalog.getCatalogInfo(folder, kFSCatInfoGettableInfo, &info) == noErr ? total + info.dataLogicalSize
                                                                                       : total;
    }
    if (opened != noErr)
        return total;

    FSCatalogInfo infos[kBatchSize];
    FSRef refs[kBatchSize];
    std::vector<Found> found;
    bool resortChildren = false;
    uint64_t sum = total;
    for (bool more = true; more;) {
        std::size_t count = 0;
        const OSErr status = iterator->getCatalogInfoBulk(kBatchSize, &count, kFSCatInfoGettableInfo, infos, refs);
        if ((status != noErr && status != errFSNoMoreItems) || !gate_->pass())
            break;
        more = status == noErr;
        for (std::size_t i = 0; i < count && i < kBatchSize; ++i) {
            if (!gate_->pass()) {
                more = false;
                break;
            }
            const bool isFolder = infos[i].nodeFlags & kFSNodeIsDirectoryMask;
            auto node = std::make_shared<FileNode>(childPath(root->nativePath(), refs[i].name()), isFolder, root.get());
            if (!isFolder) {
                node->setSize(infos[i].dataLogicalSize);
                found.push_back({std::move(node), infos[i].dataLogicalSize});
                sum += infos[i].dataLogicalSize;
                continue;
            }
            found.push_back({node, 0});
            flush(root, sum, found, resortChildren);
            const uint64_t size = getFileSizeWithPat(refs[i], node, total);
            node->setSize(size);
            resortChildren = true;
            sum += size;
        }
        flush(root, sum, found, resortChildren);
    }
    return sum;
}

void NodeTreeOperator::flush(const std::shared_ptr<FileNode>& root, uint64_t sum, std::vector<Found>& found,
                             bool& resortChildren)
{
    root->setSize(sum);
    platform::dispatchAsyncMain([self = shared_from_this(), root, found = std::move(found),
                                 resort = resortChildren]() mutable {
        if (!self->mayChangeTree())
            return;
        if (resort)
            rootArrSortWithRootArr(root->children());
        for (Found& entry : found)
            insertBySize(root->children(), std::move(entry.node), entry.size);
        // The parent-size update: root's size changed, so the list that holds it is re-sorted.
        if (root->father())
            rootArrSortWithRootArr(root->father()->children());
        else if (self->opDelegate_)
            self->opDelegate_->doRootArrSort();
    });
    found.clear();
    resortChildren = false;
}

void NodeTreeOperator::rootArrSortWithRootArr(FileNodeList& list)
{
    if (list.size() < 2)
        return;
    // Sizes grow while the list is sorted: sort a snapshot, so the order is consistent.
    std::vector<std::pair<uint64_t, std::shared_ptr<FileNode>>> keyed;
    keyed.reserve(list.size());
    for (auto& node : list)
        keyed.emplace_back(node->size(), std::move(node));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i] = std::move(keyed[i].second);
}

void NodeTreeOperator::fileInsertFatherWithRootArr(FileNodeList& list, std::shared_ptr<FileNode> node)
{
    const uint64_t size = node->size();
    insertBySize(list, std::move(node), size);
}

void NodeTreeOperator::stopScan()
{
    gate_->stop();
}

bool NodeTreeOperator::isStopScan() const
{
    return gate_->isStopped();
}

bool NodeTreeOperator::mayChangeTree() const
{
    return !gate_->isStopped();
}
