#pragma once

#include "FileNode.h"
#include "NodeTreeOperator.h"

#include "platform/files/ItemLocation.h"

#include <QString>

#include <memory>

class EumeRootDelegate {
public:
    virtual ~EumeRootDelegate() = default;
    // The scan is over: every top-level entry handled, or the folder missing, a file or empty.
    // Not sent after a stop that came before the last entry. Main thread.
    virtual void endScan() {}
};

// The top-level scan of one folder into the shared root list. One object per scan: destroying
// it stops its scan, which then changes nothing more and reports nothing.
class EumeRoot final : public NodeTreeOperatorDelegate {
public:
    EumeRoot();
    ~EumeRoot() override;
    EumeRoot(const EumeRoot&) = delete;
    EumeRoot& operator=(const EumeRoot&) = delete;

    // Starts the scan of `rootPath` into `rootArr`, which must outlive this object.
    void eumeAllRootFileNodeWithRootArr(FileNodeList& rootArr, const QString& rootPath);
    void getRootNodeListWithPath(const QString& path);
    // The sorted insertion into the root list (appended when empty). Main thread.
    void insertFileInRootArrWithFile(std::shared_ptr<FileNode> node); // kept: named by the design, no caller yet
    void doRootArrSort() override;

    // -1 before the entries are counted, then handled × 100 / count.
    float getProgress() const;
    // Flips pause and resume of this scan.
    void pauseScan();
    void stopScan();
    bool isPauseScan() const;
    bool isStopScan() const;

    // The folder scanned as the scan opened it (its path and identity), once it has; where a
    // removal of what is listed starts from.
    const platform::ItemLocation& root() const { return root_; }

    EumeRootDelegate* eumeDelegate() const { return eumeDelegate_; } // kept: named by the design, no caller yet
    void setEumeDelegate(EumeRootDelegate* delegate) { eumeDelegate_ = delegate; }

private:
    struct Scan;
    // Stops the scan and cuts it off: nothing of it reaches the tree or the delegate any more.
    void abandon();
    static void run(const std::shared_ptr<Scan>& scan, const QString& path);

    FileNodeList* rootNodeArr_ = nullptr;
    platform::ItemLocation root_;
    std::shared_ptr<Scan> scan_;
    EumeRootDelegate* eumeDelegate_ = nullptr;
};
