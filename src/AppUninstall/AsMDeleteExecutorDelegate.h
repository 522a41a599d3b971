#pragma once

#include "AMAppItem.h"

// Told of each record's outcome, on the deleter's background thread. Pass the news to the main
// queue without waiting for it: the deleter's owner may be waiting for the call to end.
class AsMDeleteExecutorDelegate {
public:
    virtual ~AsMDeleteExecutorDelegate() = default;
    // The record's path is gone from the disk.
    virtual void deleteRelatedFile(const AMAppItemPtr& item) = 0;
    virtual void deleteRelatedFileFail(const AMAppItemPtr& item) = 0;
};
