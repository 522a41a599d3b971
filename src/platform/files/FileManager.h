#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Whole-file operations of `NSFileManager`.
class FileManager {
public:
    virtual ~FileManager() = default;
    // Whether something is at the path; a link counts as itself, whether or not it leads anywhere.
    virtual bool fileExistsAtPath(const QString& path) const = 0;
    // Removes a file or link, or a folder with everything in it, never following a link.
    virtual bool removeItemAtPath(const QString& path) const = 0;
    // Makes the folder and the folders above it that are missing.
    virtual bool createDirectoryAtPath(const QString& path) const = 0;
    // Writes a new file or replaces one, in one step.
    virtual bool createFileAtPath(const QString& path, const QByteArray& contents) const = 0;
};

} // namespace platform
