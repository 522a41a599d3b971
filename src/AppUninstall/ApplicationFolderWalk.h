#pragma once

#include <QString>

#include <functional>

// The walk of an application folder that both application lists share: folders (and links to
// folders) are entered to any depth, a folder ending in ".app" is an application and is not
// entered. A folder reached twice (a link cycle) is entered once, and the walk stops at
// `kMaximumDepth` levels below the start.
class ApplicationFolderWalk {
public:
    static constexpr int kMaximumDepth = 16;

    // Calls `found` with each application's path, in listing order, on the calling thread.
    // `found` returns false to stop the walk.
    static void applicationsInPath(const QString& folder, const std::function<bool(const QString& path)>& found);
};
