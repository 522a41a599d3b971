#include "LocationCheck.h"

#include "platform/Platform.h"
#include "platform/files/FileManager.h"
#include "platform/files/NativePath.h"

using platform::ItemLocation;

namespace {

// Whether `now` was reached through the folders `seen` was, and is the same item.
bool same(const ItemLocation& seen, const ItemLocation& now)
{
    if (now.rootIdentity != seen.rootIdentity || now.identity != seen.identity
        || now.folders.size() != seen.folders.size())
        return false;
    for (std::size_t i = 0; i < seen.folders.size(); ++i)
        if (now.folders[i].identity != seen.folders[i].identity)
            return false;
    return true;
}

} // namespace

LocationCheck::Result LocationCheck::check(const ItemLocation& seen)
{
    const platform::FileManager& files = *platform::Platform::current().fileManager;
    const QString root = platform::pathFromNative(seen.rootPath);
    if (const auto now = files.locationOfItemAtPath(platform::pathFromNative(seen.path()), root, nullptr))
        return same(seen, *now) ? Result::Unchanged : Result::Changed;
    // Not reached: the parent decides, as the folder that was seen or not.
    QString parentPath = root;
    bool parentSeen = false;
    if (seen.folders.empty()) {
        const auto attributes = files.attributesOfItemAtPath(root, true);
        parentSeen = attributes && attributes->identity() == seen.rootIdentity;
    } else {
        ItemLocation parent = seen;
        parent.name = parent.folders.back().name;
        parent.identity = parent.folders.back().identity;
        parent.folders.pop_back();
        parentPath = platform::pathFromNative(parent.path());
        const auto now = files.locationOfItemAtPath(parentPath, root, nullptr);
        parentSeen = now && same(parent, *now);
    }
    if (!parentSeen)
        return Result::Changed;
    const auto names = files.contentsOfDirectoryAtPath(parentPath);
    return names && !names->contains(platform::pathFromNative(seen.name)) ? Result::Gone : Result::Unchanged;
}
