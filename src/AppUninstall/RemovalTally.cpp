#include "RemovalTally.h"

#include "utilities/PublicUtilities.h"

int32_t RemovalTally::record(bool removed, const QString& path, const QString& sizeText)
{
    ++deleteCount_;
    if (!removed) {
        ++failedCount_;
    } else if (!freedPaths_.contains(path)) {
        freedPaths_.insert(path);
        totalSize_ += PublicUtilities::volSpaceFromString(sizeText);
    }
    return allSelectCount_ > 0 ? int32_t(int64_t(deleteCount_) * 100 / allSelectCount_) : 100;
}
