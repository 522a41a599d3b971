#pragma once

#include "platform/files/FileCatalog.h"
#include "platform/trash/Trash.h"

#include <QStringList>

namespace test {

// Records every attempt to recycle and answers what the test says, touching nothing.
class AnsweringTrash : public platform::Trash {
public:
    bool recycleItemAtPath(const QString& path) override
    {
        recycled << path;
        return answer;
    }
    platform::TrashEmptying emptyTrash() override
    {
        ++emptyings;
        return {};
    }

    QStringList recycled;
    int emptyings = 0;
    bool answer = true;
};

// A catalog that may read nothing, as a folder of the user's that the program is denied.
class DeniedCatalog : public platform::FileCatalog {
public:
    platform::OSErr pathMakeRef(const QString&, platform::FSRef* ref) const override
    {
        *ref = platform::FSRef(nullptr, QByteArrayLiteral("Safari"));
        return platform::noErr;
    }
    platform::OSErr openIterator(const platform::FSRef&, std::unique_ptr<platform::FSIterator>*) const override
    {
        return platform::afpAccessDenied;
    }
    platform::OSErr getCatalogInfo(const platform::FSRef&, platform::FSCatalogInfoBitmap,
                                   platform::FSCatalogInfo*) const override
    {
        return platform::afpAccessDenied;
    }
    platform::OSErr deleteObject(const platform::FSRef&) const override { return platform::afpAccessDenied; }
};

} // namespace test
