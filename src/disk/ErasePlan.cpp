#include "ErasePlan.h"

#include "DiskIdentifier.h"

#include <algorithm>

namespace {

QByteArray quoted(const QString& text)
{
    return '"' + text.toUtf8() + '"';
}

ErasePlan refused(const QString& why)
{
    return {ErasePlan::Kind::Refused, {}, why};
}

} // namespace

ErasePlan ErasePlan::choose(const QString& diskType, const QString& name, const QString& type,
                            const QString& identifier)
{
    if (!isDeviceIdentifier(identifier))
        return refused(QStringLiteral("\"%1\" is not a device identifier").arg(identifier));
    const QString current = diskType.toLower();
    const bool missing = current.isEmpty();
    const bool ntfs = missing || current.contains(QLatin1String("ntfs"));
    const bool apfs = missing || current.contains(QLatin1String("apfs"));
    if (!ntfs && !apfs) {
        QString newName = name.isEmpty() || name == QLatin1String(" ") ? QStringLiteral("NEW") : name;
        if (type == QLatin1String("MS-DOS FAT32")) {
            const qsizetype keep = std::min<qsizetype>(newName.size(), 11);
            newName = newName.toUpper().left(keep);
        }
        if (!diskLineFits("diskutil eraseVolume " + quoted(type) + ' ' + quoted(newName) + ' ' + quoted(identifier),
                          kEraseLineBuffer))
            return refused(QStringLiteral("The name is too long for the erase command"));
        return {Kind::EraseVolume, {QStringLiteral("eraseVolume"), type, newName, identifier}, {}};
    }
    if (!ntfs)
        return {Kind::Reformat, {QStringLiteral("reformat"), identifier}, {}};
    if (!diskLineFits("diskutil eraseVolume \"MS-DOS FAT32\" NEW \"/dev/" + identifier.toUtf8() + '"', kEraseLineBuffer))
        return refused(QStringLiteral("The device identifier is too long for the erase command"));
    return {Kind::EraseVolume, {QStringLiteral("eraseVolume"), QStringLiteral("MS-DOS FAT32"), QStringLiteral("NEW"), identifier}, {}};
}
