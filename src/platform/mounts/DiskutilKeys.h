#pragma once
// The keys of the property lists that diskutil prints ("list -plist", "info -plist"): the Disk
// Manager reads them and the stand-in diskutil writes them.

#include <QString>

namespace diskkeys {

inline const QString kAllDisks = QStringLiteral("AllDisks");
inline const QString kAllDisksAndPartitions = QStringLiteral("AllDisksAndPartitions");
inline const QString kVolumesFromDisks = QStringLiteral("VolumesFromDisks");
inline const QString kWholeDisks = QStringLiteral("WholeDisks");
inline const QString kPartitions = QStringLiteral("Partitions");
inline const QString kApfsVolumes = QStringLiteral("APFSVolumes");
inline const QString kApfsContainerFree = QStringLiteral("APFSContainerFree");
inline const QString kApfsContainerReference = QStringLiteral("APFSContainerReference");
inline const QString kApfsContainerSize = QStringLiteral("APFSContainerSize");
inline const QString kBooterDeviceIdentifier = QStringLiteral("BooterDeviceIdentifier");
inline const QString kBusProtocol = QStringLiteral("BusProtocol");
inline const QString kContent = QStringLiteral("Content");
inline const QString kDaVolumeName = QStringLiteral("DAVolumeName");  // kDADiskDescriptionVolumeNameKey
inline const QString kDeviceIdentifier = QStringLiteral("DeviceIdentifier");
inline const QString kDeviceNode = QStringLiteral("DeviceNode");
inline const QString kDiskUuid = QStringLiteral("DiskUUID");
inline const QString kEjectable = QStringLiteral("Ejectable");
inline const QString kFilesystemName = QStringLiteral("FilesystemName");
inline const QString kFilesystemType = QStringLiteral("FilesystemType");
inline const QString kFreeSpace = QStringLiteral("FreeSpace");
inline const QString kInternal = QStringLiteral("Internal");
inline const QString kMediaName = QStringLiteral("MediaName");
inline const QString kMountPoint = QStringLiteral("MountPoint");
inline const QString kOsInternal = QStringLiteral("OSInternal");
inline const QString kParentWholeDisk = QStringLiteral("ParentWholeDisk");
inline const QString kRecoveryDeviceIdentifier = QStringLiteral("RecoveryDeviceIdentifier");
inline const QString kRemovable = QStringLiteral("Removable");
inline const QString kSize = QStringLiteral("Size");
inline const QString kTotalSize = QStringLiteral("TotalSize");
inline const QString kVolumeName = QStringLiteral("VolumeName");
inline const QString kVolumeUuid = QStringLiteral("VolumeUUID");
inline const QString kWholeDisk = QStringLiteral("WholeDisk");
inline const QString kWritable = QStringLiteral("Writable");

} // namespace diskkeys
