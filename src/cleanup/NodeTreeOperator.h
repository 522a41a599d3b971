#pragma once

#include "FileNode.h"

#include "platform/files/FileCatalog.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

class ChangeQueue;
class NodeArena;
class ScanGate;

class NodeTreeOperatorDelegate {
public:
    virtual ~NodeTreeOperatorDelegate() = default;
    // The size of a node of the root list changed: re-sort the root list. Main thread.
    virtual void doRootArrSort() {}
};

// The recursive size scan. It runs on a background thread and reads folders in batches of 40;
// every change to a list is made on the main thread, one hop per batch, in the order found.
class NodeTreeOperator : public std::enable_shared_from_this<NodeTreeOperator> {
public:
    explicit NodeTreeOperator(std::shared_ptr<ScanGate> gate);

    // The data size of one file (a link as itself); 0 when it cannot be read.
    static uint64_t getOneFileSizeWithPath(const QByteArray& nativePath); // kept: named by the design, no caller yet
    // Scans the folder into root's children; gives `total` plus the size of everything below.
    // The folder is root's own, or what root leads to when it is a link the scan follows.
    uint64_t getFileSizeWithPat(const platform::FSRef& folder, const std::shared_ptr<FileNode>& root,
                                uint64_t total);

    struct Found {
        std::shared_ptr<FileNode> node;
        uint64_t size = 0; // when found: a folder goes in at 0 and moves up as it is measured
        platform::FileIdentity identity; // a file's, as listed; a folder's comes when it is opened
    };

    // Size order, largest first; equal sizes keep their order. Main thread.
    static void rootArrSortWithRootArr(FileNodeList& list);
    // Before the first node not larger than the new one, else at the end. Main thread.
    static void fileInsertFatherWithRootArr(FileNodeList& list, std::shared_ptr<FileNode> node);
    // As if each were inserted in the order found, in one merge, so a folder of many entries
    // costs no copy of its list per entry. Main thread.
    static void fileInsertFatherWithRootArr(FileNodeList& list, std::vector<Found> found);
    static void fileInsertFatherWithRootArr(FileNodeList& list, std::span<Found> found);

    // Stops the scan after carrying out the changes it has found so far. Main thread.
    void stopScan();
    // Every folder's size as the sum of what it lists, every list in size order: what the
    // levels of a stopped scan would have passed up on their way out. Main thread.
    static void sumAndSort(FileNodeList& list);
    bool isStopScan() const;
    // Whether the scan may change the tree now; read on the main thread inside each hop.
    bool mayChangeTree() const;

    NodeTreeOperatorDelegate* opDelegate() const { return opDelegate_; } // kept: named by the design, no caller yet
    void setOpDelegate(NodeTreeOperatorDelegate* delegate) { opDelegate_ = delegate; }

    const std::shared_ptr<ScanGate>& gate() const { return gate_; }
    // Runs the change on the main thread after every change posted before it.
    void postChange(std::function<void()> change);
    // Sends the changes posted so far to the main thread now.
    void sendChanges();
    // A test point: the stop test, then the pause wait (with the changes so far shown). False
    // when the scan must leave.
    bool testPoint();

private:
    static constexpr std::size_t kBatchSize = 40;
    static constexpr std::size_t kFoldersPerHop = 64;
    // What the scan hands to the main thread: for each folder, in the order of its flushes, the
    // entries found since the last one. Folders are nodes (the scan measures them); files are names
    // and sizes, made into nodes on the main thread, so the scan spends its time on the disk.
    struct Handover {
        struct Folder {
            std::shared_ptr<FileNode> root;
            std::size_t end = 0; // where its entries in `found` end
            uint64_t size = 0;   // its size with them: sizes change with the lists, on the main thread
            platform::FileIdentity identity; // the folder as its listing opened it
            bool resort = false; // its children's sizes changed since the last flush
        };
        std::vector<Folder> folders;
        std::vector<Found> found; // a file's node is null until the hop
        std::vector<std::pair<qsizetype, qsizetype>> files; // each file's name in `names`
        QByteArray names;
        // Keeps the room, for the next folder's entries.
        void clear();
    };

    // What one bulk read gives, and what a folder has found since its last flush. One per folder
    // depth, kept for the whole scan, so their buffers are reused from folder to folder.
    struct Batch {
        platform::FSCatalogInfo infos[kBatchSize];
        platform::FSRef refs[kBatchSize];
        Handover found;
    };

    // Adds root's size and the entries found to the open handover; the first flush into a
    // handover posts the change that carries it out, so a hop costs one change, not one a folder.
    void flush(const std::shared_ptr<FileNode>& root, platform::FileIdentity identity, uint64_t sum, Handover& found,
               bool& resortChildren);
    // Carries out a handover, closed first so that later flushes start a new one. Main thread.
    void apply(Handover& handover);

    std::shared_ptr<ScanGate> gate_;
    std::shared_ptr<ChangeQueue> changes_;
    std::shared_ptr<NodeArena> arena_;     // the folders found below the top level
    std::shared_ptr<NodeArena> fileArena_; // their files, made on the main thread
    std::mutex handoverMutex_;
    std::shared_ptr<Handover> open_; // what the next flush adds to; null once carried out or passed
    std::vector<std::unique_ptr<Batch>> batches_;
    std::size_t depth_ = 0;
    NodeTreeOperatorDelegate* opDelegate_ = nullptr;
};
