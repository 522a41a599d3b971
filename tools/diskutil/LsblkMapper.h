#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QMap>
#include <QVariantList>

#include <functional>
#include <optional>

// Turns `lsblk --json --bytes` output into diskutil's disks: only the removable or hot-plugged
// disks (never one that holds the system's own mounts) and their partitions, a disk numbered
// as `numbers` says for its kernel name (disk<N>), a partition diskNsM by its kernel number.
class LsblkMapper {
public:
    // The free bytes of a mounted file system; none when it cannot be had.
    using FreeBytes = std::function<std::optional<qint64>(const QString& mountPoint)>;

    // The columns that the mapping reads.
    static QStringList columns();

    explicit LsblkMapper(const QByteArray& json);

    // The kernel names of the disks that are shown, in lsblk's order.
    QStringList diskNames() const;
    // A disk without a number is left out. A recorded output may carry "fsavail"; otherwise
    // `freeBytes` is asked (when given).
    QVariantList disks(const QMap<QString, int>& numbers, const FreeBytes& freeBytes = {}) const;

private:
    QList<QJsonObject> shown_;
};
