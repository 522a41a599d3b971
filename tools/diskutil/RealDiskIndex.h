#pragma once

#include "DiskCatalog.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

// The information dictionaries of recorded devices, one file per identifier, written by a run that
// mapped the whole recording and read by later runs that look one device up, so that a look-up
// costs the same however many devices the recording holds. An index answers only while its
// fingerprint (the recording, the numbering and the simulated disks it was made with) holds.
class RealDiskIndex {
public:
    RealDiskIndex(QString folder, QByteArray fingerprint);

    // The device's information; none when the index is stale or has no such identifier.
    std::optional<QVariantMap> information(const QString& identifier) const;
    bool isCurrent() const;
    // Replaces the index with the catalog's devices.
    void write(const DiskCatalog& catalog) const;

private:
    QString folder_;
    QByteArray fingerprint_;
};
