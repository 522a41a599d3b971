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

// Folders of the Library that hold the files of many applications: never one application's.
bool isSharedFolder(const QString& loweredName)
{
    static const QStringList names{QStringLiteral("byhost"), QStringLiteral("crashreporter"),
                                   QStringLiteral("diagnosticreports"), QStringLiteral("growl"),
                                   QStringLiteral("systemconfiguration")};
    return names.contains(loweredName);
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

RelatedFileKey::RelatedFileKey(const QString& key, Kind kind)
    : whole_(key.toLower()), blankFree_(whole_),
      // A dotted name ("com.apple") is read as the identifier it looks like.
      kind_(key.contains(QLatin1Char('.')) ? Kind::Identifier : kind)
{
    blankFree_.remove(QLatin1Char(' '));
    shortIdentifier_ = kind_ == Kind::Identifier
                       && whole_.split(QLatin1Char('.'), Qt::SkipEmptyParts).size() < kFewestFreeIdentifierParts;
}

qsizetype RelatedFileKey::takes(const QString& loweredName, const QString& key) const
{
    if (key.isEmpty() || !loweredName.startsWith(key))
        return 0;
    const QString rest = loweredName.mid(key.size());
    const bool takesSuffixOnly = shortIdentifier_ || (kind_ == Kind::Name && key.size() < kShortestFreeName)
                                 || (kind_ == Kind::Name && rest.startsWith(QLatin1Char('.')));
    if (takesSuffixOnly)
        return rest.isEmpty() || fileNameSuffixes().contains(rest) ? key.size() : 0;
    return endsWordAt(loweredName, key.size()) ? key.size() : 0;
}

qsizetype RelatedFileKey::matchLength(const QString& entryName) const
{
    const QString name = entryName.toLower();
    if (isSharedFolder(name))
        return 0;
    return std::max(takes(name, whole_), takes(name, blankFree_));
}

bool RelatedFileKey::claimedByAnother(const QString& entryName, qsizetype length, const QList<RelatedFileKey>& others)
{
    return std::any_of(others.begin(), others.end(),
                       [&](const RelatedFileKey& other) { return other.matchLength(entryName) >= length; });
}
