#pragma once

#include <QSet>
#include <QString>

#include <cstdint>

// The counts of one uninstall run, kept on the main thread as the deleter reports each record.
class RemovalTally {
public:
    explicit RemovalTally(int32_t allSelectCount = 0) : allSelectCount_(allSelectCount) {}

    // One record reported; gives the percent done, truncated. A failure advances the count
    // but frees nothing, and a path frees its size once, however many applications listed it.
    int32_t record(bool removed, const QString& path, const QString& sizeText);

    int32_t deleteCount() const { return deleteCount_; } // kept: named by the design, no caller yet
    int32_t failedCount() const { return failedCount_; }
    uint64_t totalSize() const { return totalSize_; }
    bool isComplete() const { return allSelectCount_ > 0 && deleteCount_ >= allSelectCount_; }

private:
    int32_t allSelectCount_;
    int32_t deleteCount_ = 0;
    int32_t failedCount_ = 0;
    uint64_t totalSize_ = 0;
    QSet<QString> freedPaths_;
};
