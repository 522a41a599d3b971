#pragma once

// Told by the related-files window that its removal is over.
class RelatedFilesCleanDelegate {
public:
    virtual ~RelatedFilesCleanDelegate() = default;
    virtual void completeCleanRelatedFiles() = 0;
};
