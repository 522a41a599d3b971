#include "RemovalTally.h"

#include "PublicUtilities.h"

int32_t RemovalTally::record(bool removed, const QString& sizeText)
{
    ++deleteCount_;
    if (removed)
        totalSize_ += PublicUtilities::volSpaceFromString(sizeText);
    else
        ++failedCount_;
    return allSelectCount_ > 0 ? int32_t(int64_t(deleteCount_) * 100 / allSelectCount_) : 100;
}
