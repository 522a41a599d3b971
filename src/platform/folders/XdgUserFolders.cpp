#include "XdgUserFolders.h"

#include "platform/files/NativePath.h"
#include "platform/files/RegularFile.h"

#include <QDir>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

struct Known {
    const char* key;
    const char* usualName;
};

// In the order of XdgUserFolder.
constexpr Known kFolders[kXdgUserFolderCount] = {
    {"XDG_DESKTOP_DIR", "Desktop"},     {"XDG_DOCUMENTS_DIR", "Documents"}, {"XDG_DOWNLOAD_DIR", "Downloads"},
    {"XDG_MUSIC_DIR", "Music"},         {"XDG_PICTURES_DIR", "Pictures"},   {"XDG_PUBLICSHARE_DIR", "Public"},
    {"XDG_TEMPLATES_DIR", "Templates"}, {"XDG_VIDEOS_DIR", "Videos"},
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// The quoted value that starts at `from` with its escapes undone, or nothing when the quotes do
// not close or something other than blanks follows them. `home` says whether it began "$HOME".
std::optional<QByteArray> quotedValue(const QByteArray& line, qsizetype from, bool* home)
{
    if (from >= line.size() || line[from] != '"')
        return std::nullopt;
    ++from;
    *home = line.mid(from, 5) == "$HOME";
    if (*home)
        from += 5;
    QByteArray value;
    qsizetype at = from;
    for (; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\' && ++at == line.size())
            return std::nullopt;
        value += line[at];
    }
    if (at == line.size())
        return std::nullopt;
    while (++at < line.size())
        if (!isBlank(line[at]))
            return std::nullopt;
    return value;
}

} // namespace

XdgUserFolders::XdgUserFolders(const QByteArray& contents, const QString& home)
{
    const QString cleanHome = QDir::cleanPath(home);
    for (int i = 0; i < kXdgUserFolderCount; ++i)
        paths_[std::size_t(i)] = cleanHome + QLatin1Char('/') + QLatin1String(kFolders[i].usualName);
    for (const QByteArray& line : contents.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const auto known = std::find_if(std::begin(kFolders), std::end(kFolders),
                                        [&key](const Known& folder) { return key == folder.key; });
        bool fromHome = false;
        const auto value = quotedValue(line, equals + 1, &fromHome);
        if (known == std::end(kFolders) || !value)
            continue;
        // "$HOMEx" names no folder, and a value that is neither below the home nor absolute is
        // not one the tool writes.
        if (fromHome ? !value->isEmpty() && !value->startsWith('/') : !value->startsWith('/'))
            continue;
        const QString path = QDir::cleanPath(fromHome ? cleanHome + pathFromNative(*value) : pathFromNative(*value));
        paths_[std::size_t(known - std::begin(kFolders))] = path == cleanHome ? QString() : path;
    }
}

XdgUserFolders XdgUserFolders::read()
{
    const QString config = baseDirectory("XDG_CONFIG_HOME", "/.config");
    return XdgUserFolders(readRegularFile(config + QStringLiteral("/user-dirs.dirs"), 64 * 1024).value_or(QByteArray()),
                          QDir::homePath());
}

QString XdgUserFolders::usualName(XdgUserFolder folder)
{
    return QLatin1String(kFolders[std::size_t(folder)].usualName);
}

QString XdgUserFolders::baseDirectory(const char* variable, const char* inHome)
{
    const QString value = qEnvironmentVariable(variable);
    return value.startsWith(QLatin1Char('/')) ? value : QDir::homePath() + QLatin1String(inHome);
}

} // namespace platform
