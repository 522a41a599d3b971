#include "RealDiskIndex.h"

#include "DiskKeys.h"

#include "platform/files/RegularFile.h"
#include "platform/plist/LibplistSerialization.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace diskkeys;

namespace {

const QString kStamp = QStringLiteral("fingerprint");

bool isIdentifier(const QString& text)
{
    static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("disk[0-9]+(s[0-9]+)*")));
    return form.match(text).hasMatch();
}

} // namespace

RealDiskIndex::RealDiskIndex(QString folder, QByteArray fingerprint)
    : folder_(std::move(folder)), fingerprint_(std::move(fingerprint))
{
}

bool RealDiskIndex::isCurrent() const
{
    return platform::readRegularFile(folder_ + QLatin1Char('/') + kStamp, 4096) == fingerprint_;
}

std::optional<QVariantMap> RealDiskIndex::information(const QString& identifier) const
{
    if (!isIdentifier(identifier) || !isCurrent())
        return std::nullopt;
    const QVariant entry = platform::LibplistSerialization().propertyListFromFile(folder_ + QLatin1Char('/') + identifier);
    if (entry.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return entry.toMap();
}

void RealDiskIndex::write(const DiskCatalog& catalog) const
{
    // The fingerprint goes first and comes back last: a run that reads meanwhile finds none and
    // maps the recording itself.
    QDir folder(folder_);
    folder.removeRecursively();
    if (!QDir().mkpath(folder_))
        return;
    const platform::LibplistSerialization lists;
    for (int d = 0; d < catalog.disks().size(); ++d) {
        const QVariantMap disk = catalog.disks()[d].toMap();
        QList<DiskCatalog::Place> places{{d, -1, {}}};
        for (const QString& list : {kPartitions, kApfsVolumes})
            for (int v = 0; v < disk.value(list).toList().size(); ++v)
                places.append({d, v, list});
        for (const DiskCatalog::Place& place : places) {
            const QString identifier = catalog.entry(place).value(kDeviceIdentifier).toString();
            // A cache: plain writes, with no sync per file.
            QFile file(folder.filePath(identifier));
            if (isIdentifier(identifier)
                && (!file.open(QIODevice::WriteOnly)
                    || file.write(lists.dataFromPropertyList(catalog.information(place),
                                                             platform::PropertyListSerialization::Format::Binary)) <= 0))
                return;
        }
    }
    QFile stamp(folder.filePath(kStamp));
    if (stamp.open(QIODevice::WriteOnly))
        stamp.write(fingerprint_);
}
