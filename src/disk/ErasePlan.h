#pragma once

#include <QString>
#include <QStringList>

// Which erase runs for a volume, decided from the file system its box shows (`diskType`), the
// name and type of the confirmation, and the device identifier.
struct ErasePlan {
    enum class Kind { EraseVolume, Reformat, Refused };
    Kind kind = Kind::Refused;
    QStringList arguments; // of diskutil
    QString refusal;       // why nothing runs

    // Neither APFS nor NTFS: the chosen type and name (FAT32 names in upper case, 11 characters
    // at most; a blank name is "NEW"). APFS: a reformat. NTFS, or no type at all: FAT32 "NEW".
    static ErasePlan choose(const QString& diskType, const QString& name, const QString& type,
                            const QString& identifier);
};
