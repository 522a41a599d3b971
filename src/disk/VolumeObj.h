#pragma once

#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <optional>

// One volume as a box shows it, filled from a volume dictionary of the inventory.
struct VolumeObj {
    QString volumeType;       // from the box's type look-up
    QString volumeName;
    QString volumePath;       // the device identifier
    QString volumeMountPoint;
    QString volumeTotalSize;
    QString volumeFreeSize;
    int64_t volumeTotalSizeNum = 0;
    int64_t volumeFreeSizeNum = 0;
    QString BusProtocol;
    QString diskType;         // the file system the inventory reported
    QString diskId;
    QString diskMediaName;
    QString diskSMARTStatus;
    QString diskContent;
    QString diskEx;
    QString vORpStr;
    QString diskUUID;
    // The mount point; present and empty for a volume that is not mounted.
    std::optional<QString> volRootDir;
    int16_t volumeNum = 0;
    QString parentWholeDisk;
    bool isInter = false;
    bool isSolidState = false;
    bool isWritable = false;
    bool isDisk = false;
    bool isOeners = false;
    int32_t chrCount = 0;
    bool bCanEject = false;
    // The volume's own UUID, the identity to fall back on when it reports no disk UUID.
    QString volumeUUID;

    static VolumeObj fromVolumeDictionary(const QVariantMap& volume);
    // The identity a rename or erase checks again: the disk UUID, else the volume UUID.
    QString identity() const;
    // The same from an information dictionary.
    static QString identityOf(const QVariantMap& info);
};
