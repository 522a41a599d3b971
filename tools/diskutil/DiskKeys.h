#pragma once
// The keys of diskutil's property lists, and the stand-in's own state keys.

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

// State of the stand-in: whether a volume is mounted (its "MountPoint" stays as the folder that
// holds its files), whether a disk was ejected, and the Linux device behind a real one.
inline const QString kMounted = QStringLiteral("Mounted");
inline const QString kEjected = QStringLiteral("Ejected");
inline const QString kLinuxDevice = QStringLiteral("LinuxDevice");
// The state file's list of disks.
inline const QString kDisks = QStringLiteral("Disks");

} // namespace diskkeys
