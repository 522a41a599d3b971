#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>

namespace platform {

// Tells its subscribers when the files of one folder (names matching `nameFilters`) were added,
// removed, replaced or rewritten. Lives on the thread that made it and calls subscribers there.
// Several file-system events for one change give one call: a call happens only when the
// folder's listing (names, sizes, times, contents) differs from the one last reported. Each file
// is watched before it is read, so a write that follows the reading is always noticed.
class FolderChangeWatch : public QObject {
    Q_OBJECT
public:
    // Reads a file's contents for the listing; nothing when it cannot.
    using Reader = std::function<std::optional<QByteArray>(const QString& path)>;

    FolderChangeWatch(QString folder, QStringList nameFilters, Reader read = {});

    int subscribe(std::function<void()> changed);
    void unsubscribe(int id);

    // Compares the folder with the last listing and calls the subscribers when it changed.
    void check();

private:
    QStringList listing() const;
    void watchFiles();

    QString folder_;
    QStringList nameFilters_;
    Reader read_;
    QFileSystemWatcher watcher_;
    QStringList lastListing_;
    std::map<int, std::function<void()>> subscribers_;
    int nextId_ = 1;
};

} // namespace platform
