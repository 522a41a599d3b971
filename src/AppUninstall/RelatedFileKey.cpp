#include "RelatedFileKey.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr qsizetype kShortestFreeName = 3;
constexpr qsizetype kFewestFreeIdentifierParts = 3;

// What may follow a short key: the suffixes the system and the applications give their files.
const QStringList& fileNameSuffixes()
{
    static const QStringList suffixes{QStringLiteral(".plist"),       QStringLiteral(".savedstate"),
                                      QStringLiteral(".log"),         QStringLiteral(".growlticket"),
                                      QStringLiteral(".binarycookies"), QStringLiteral(".dmg"),
                                      QStringLiteral(".zip")};
    return suffixes;
}

bool endsWordAt(const QString& name, qsizetype at)
{
    if (name.size() == at)
        return true;
    const QChar next = name.at(at);
    if (next.isHighSurrogate() && name.size() > at + 1)
        return !QChar::isLetterOrNumber(QChar::surrogateToUcs4(next, name.at(at + 1)));
    return !next.isLetterOrNumber();
}

} // namespace

RelatedFileKey::RelatedFileKey(const QString& key, Kind kind) : whole_(key.toLower()), blankFree_(whole_), kind_(kind)
{
    blankFree_.remove(QLatin1Char(' '));
    shortIdentifier_ = kind == Kind::Identifier
                       && whole_.split(QLatin1Char('.'), Qt::SkipEmptyParts).size() < kFewestFreeIdentifierParts;
}

qsizetype RelatedFileKey::takes(const QString& loweredName, const QString& key) const
{
    if (key.isEmpty() || !loweredName.startsWith(key))
        return 0;
    const bool isShort = shortIdentifier_ || (kind_ == Kind::Name && key.size() < kShortestFreeName);
    if (isShort) {
        const QString rest = loweredName.mid(key.size());
        return rest.isEmpty() || fileNameSuffixes().contains(rest) ? key.size() : 0;
    }
    return endsWordAt(loweredName, key.size()) ? key.size() : 0;
}

qsizetype RelatedFileKey::matchLength(const QString& entryName) const
{
    const QString name = entryName.toLower();
    return std::max(takes(name, whole_), takes(name, blankFree_));
}

bool RelatedFileKey::claimedByAnother(const QString& entryName, qsizetype length, const QList<RelatedFileKey>& others)
{
    return std::any_of(others.begin(), others.end(),
                       [&](const RelatedFileKey& other) { return other.matchLength(entryName) >= length; });
}
