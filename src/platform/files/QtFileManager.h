#pragma once

#include "FileManager.h"

namespace platform {

class QtFileManager final : public FileManager {
public:
    bool fileExistsAtPath(const QString& path) const override;
    bool removeItemAtPath(const QString& path) const override;
    bool createDirectoryAtPath(const QString& path) const override;
    bool createFileAtPath(const QString& path, const QByteArray& contents) const override;
};

} // namespace platform
