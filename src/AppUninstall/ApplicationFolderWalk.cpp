#include "ApplicationFolderWalk.h"

#include "platform/Platform.h"
#include "platform/files/FileManager.h"

#include <set>
#include <utility>
#include <vector>

namespace {

bool isApplicationName(const QString& name)
{
    return name.size() > 4 && name.endsWith(QLatin1String(".app"));
}

struct Level {
    QString path;
    QStringList names;
    qsizetype next = 0;
};

} // namespace

void ApplicationFolderWalk::applicationsInPath(const QString& folder, const std::function<bool(const QString&)>& found)
{
    const platform::FileManager& files = *platform::Platform::current().fileManager;
    std::set<std::pair<quint64, quint64>> entered;
    std::vector<Level> levels; // the folders being walked, deepest last: a loop, not recursion
    const auto enter = [&](const QString& path, const platform::FileAttributes& attributes) {
        if (int(levels.size()) > kMaximumDepth
            || !entered.insert({attributes.fileSystemNumber, attributes.fileSystemFileNumber}).second)
            return;
        if (std::optional<QStringList> names = files.contentsOfDirectoryAtPath(path))
            levels.push_back({path, std::move(*names)});
    };
    if (const std::optional<platform::FileAttributes> start = files.attributesOfItemAtPath(folder, true))
        enter(folder, *start);
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.names.size()) {
            levels.pop_back();
            continue;
        }
        const QString& name = level.names.at(level.next++);
        const QString entry = level.path + QLatin1Char('/') + name;
        // Links to folders count as folders.
        const std::optional<platform::FileAttributes> attributes = files.attributesOfItemAtPath(entry, true);
        if (!attributes || attributes->fileType != platform::FileAttributes::Type::Directory)
            continue;
        if (!isApplicationName(name))
            enter(entry, *attributes);
        else if (!found(entry))
            return;
    }
}
