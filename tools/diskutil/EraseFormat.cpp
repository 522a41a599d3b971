#include "EraseFormat.h"

#include <QStringList>

namespace {

struct Personality {
    const char* names;  // accepted spellings, separated by '|'
    EraseFormat format;
};

const Personality& personality(int i)
{
    static const Personality table[] = {
        {"MS-DOS FAT32|FAT32|MS-DOS", {QStringLiteral("MS-DOS FAT32"), QStringLiteral("msdos"), QStringLiteral("DOS_FAT_32"), 11, true}},
        {"ExFAT", {QStringLiteral("ExFAT"), QStringLiteral("exfat"), QStringLiteral("Windows_NTFS"), 15, false}},
        {"Journaled HFS+|JHFS+|HFS+", {QStringLiteral("Journaled HFS+"), QStringLiteral("hfs"), QStringLiteral("Apple_HFS"), 255, false}},
        {"APFS", {QStringLiteral("APFS"), QStringLiteral("apfs"), QStringLiteral("41504653-0000-11AA-AA11-00306543ECAC"), 255, true}},
    };
    return table[i];
}
constexpr int kPersonalities = 4;

} // namespace

std::optional<EraseFormat> EraseFormat::named(const QString& name)
{
    for (int i = 0; i < kPersonalities; ++i) {
        for (const QString& spelling : QString::fromLatin1(personality(i).names).split(QLatin1Char('|'))) {
            if (spelling.compare(name, Qt::CaseInsensitive) == 0)
                return personality(i).format;
        }
    }
    return std::nullopt;
}

std::optional<EraseFormat> EraseFormat::ofFilesystem(const QString& filesystemName)
{
    for (int i = 0; i < kPersonalities; ++i) {
        if (personality(i).format.filesystemName == filesystemName)
            return personality(i).format;
    }
    return std::nullopt;
}

QString EraseFormat::nameProblem(const QString& name) const
{
    const qsizetype length = limitInBytes ? name.toUtf8().size() : name.size();
    if (length <= nameLimit)
        return {};
    return QStringLiteral("the name is too long for %1: at most %2 %3").arg(filesystemName).arg(nameLimit)
        .arg(limitInBytes ? QStringLiteral("bytes") : QStringLiteral("characters"));
}
