#pragma once

#include <QString>

#include <optional>

// A file-system personality that eraseVolume accepts, with what the erased volume reports and
// how long its name may be.
struct EraseFormat {
    QString filesystemName;
    QString filesystemType;
    QString content;
    int nameLimit = 0;
    bool limitInBytes = true;  // else in UTF-16 units

    // By personality name, ignoring case ("MS-DOS FAT32", "ExFAT", "JHFS+", "APFS", ...).
    static std::optional<EraseFormat> named(const QString& personality);
    // By the file-system name a volume reports, for reformat.
    static std::optional<EraseFormat> ofFilesystem(const QString& filesystemName);
    // Why the name cannot be given to a volume of this format; empty when it can.
    QString nameProblem(const QString& name) const;
};
