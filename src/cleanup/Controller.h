#pragma once

#include "ControllerDelegate.h"
#include "EumeRoot.h"
#include "FileNode.h"

#include "platform/dispatch/Lifetime.h"

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

// The one object through which the Downloads cleaner works on the tree: the scan, the tri-state
// selection and the two removal jobs. Everything but the jobs' own work runs on the main thread.
class Controller final : public EumeRootDelegate {
public:
    // The process-wide controller, made on first use.
    static Controller& getController();

    Controller();
    ~Controller() override;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // Scan.
    void eumeAllRootFileNodeWithRootArr(FileNodeList& rootArr, const QString& rootPath);
    void pauseScan();
    void stopScan();
    float getProgress() const;
    void endScan() override;
    // From a start until its end report or a stop, paused or not.
    bool isScanActive() const { return scanActive_; }
    // Active and not paused: removal is refused meanwhile.
    bool isScanRunning() const;

    // Selection.
    void changeSelectWithNode(FileNode* node, bool selectState);
    void changeChildrenFilNodeStateWithFileNode(FileNode* node, bool selectState);
    void changeFatherNodeSelectStateWithFileNode(FileNode* node, bool selectState);
    void changeSelectAllButtonState();
    void selectAllFileNode(bool selectState);
    void reloadTree();

    void openFileWithFileNode(const FileNode* node);
    // A preview request for the node's path (the window shows none).
    void pereviewFileWithFileNode(const FileNode* node); // kept: named by the design, no caller yet

    // Removal jobs over the selected, unprotected nodes. True when a job started; with nothing
    // to remove, or while a scan runs, none starts, and the end (select none, 0 failed, 100)
    // still follows on the main queue, so a sheet that was shown anyway closes. A paused scan
    // meets the removed entries when it goes on.
    bool moveFileToTarshWithDic(FileNodeList& rootArr);
    bool deleteFilesWithDic(FileNodeList& rootArr);
    void stopRemove();
    bool isRemoving() const { return removing_; }

    // The selection-state decisions, as values.
    static int32_t selectAllState(const FileNodeList& rootArr);
    // What a removal takes, in order: selected nodes whole, partly selected folders walked;
    // protected paths never. The father is kept so the node can leave it afterwards.
    struct RemovalItem {
        std::shared_ptr<FileNode> node;
        std::shared_ptr<FileNode> father;
        // Where the scan below `root` saw it, taken on the main thread, where the tree above it
        // is sure to live: the removal reaches it from there, checking every folder on the way.
        platform::ItemLocation location;
        QString path;
    };
    static std::vector<RemovalItem> collectSelected(const FileNodeList& rootArr, const platform::ItemLocation& root,
                                                    const platform::ProtectedFolders& protectedFolders);
    // The protected folders as the Downloads check found them, which the rows and the collection ask.
    const platform::ProtectedFolders& protectedFolders() const { return protectedFolders_; }
    void setProtectedFolders(platform::ProtectedFolders folders) { protectedFolders_ = std::move(folders); }
    // 30 for a single item, else k × 100 / n.
    static int32_t removeProgress(int k, int n);

    ControllerDelegate* aDelegate() const { return aDelegate_; }
    void setADelegate(ControllerDelegate* delegate) { aDelegate_ = delegate; }

private:
    enum class Removal { Trash, Erase };
    bool startRemoval(FileNodeList& rootArr, Removal removal);
    void finishRemoval(const QString& lastPath, int failed);
    void takeOutOfTree(const RemovalItem& item);

    FileNodeList* aRootArr_ = nullptr;
    std::unique_ptr<EumeRoot> eumeRoot_;
    ControllerDelegate* aDelegate_ = nullptr;
    std::shared_ptr<std::atomic<bool>> isStopRemove_ = std::make_shared<std::atomic<bool>>(false);
    bool removing_ = false;
    bool scanActive_ = false;
    platform::ProtectedFolders protectedFolders_;
    platform::Lifetime lifetime_;
};
