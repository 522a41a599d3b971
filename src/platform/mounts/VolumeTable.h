#pragma once

#include "platform/files/FileCatalog.h" // OSErr, noErr, ioErr, fBsyErr
#include "platform/kernel/MachTypes.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

constexpr OSErr nsvErr = -35; // no such volume
constexpr OSErr paramErr = -50;
constexpr kern_return_t kIOReturnNoDevice = kern_return_t(0xe00002c0);

// The File Manager's volume parameters block, as far as the volume classes read it.
struct GetVolParmsInfoBuffer {
    int16_t vMVersion = 0;
    int32_t vMServerAdr = 0;
    int32_t vMExtendedAttributes = 0;
    QString vMDeviceID; // the BSD device name, such as "sdb1"
};

// Bits of vMExtendedAttributes.
constexpr int bIsEjectable = 0;
constexpr int bIsRemovable = 25;
constexpr int bIsOnExternalBus = 27;

// One mounted volume as the File Manager describes it.
struct VolumeEntry {
    int16_t volumeRefNum = 0;
    QString name;
    QString rootPath;
    uint16_t filesystem = 0;
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;
};

// An object of the I/O registry between a BSD device and its whole medium.
struct MediaObject {
    QStringList classes;       // what it conforms to: "IOMedia", "IOCDMedia", "IODVDMedia", ...
    std::optional<bool> whole; // its "Whole" property; none when it has none
};

// The mounted volumes by index, their parameters, and ejecting them.
class VolumeTable {
public:
    virtual ~VolumeTable() = default;

    // The volume of index 1, 2, 3, ...; nsvErr past the last one, another error for an index
    // that cannot be read.
    virtual OSErr volumeInfo(int index, VolumeEntry* entry) const = 0;
    virtual OSErr volumeParms(int16_t volumeRefNum, GetVolParmsInfoBuffer* parms) const = 0;
    // The service matching the BSD device (IOServiceGetMatchingService of IOBSDNameMatching), then
    // its ancestors in the service plane, nearest first (IORegistryEntryCreateIterator, parents,
    // recursive). kIOReturnNoDevice when no service matches; another code when the walk cannot
    // start.
    virtual kern_return_t mediaObjects(const QString& bsdName, std::vector<MediaObject>* objects) const = 0;
    virtual OSErr ejectVolume(int16_t volumeRefNum) = 0;
};

} // namespace platform
