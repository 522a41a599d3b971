#include "EntryVisibility.h"

#include "ExecLine.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QStringList EntryVisibility::currentDesktops()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

bool EntryVisibility::isShownIn(const DesktopEntry& entry, const QStringList& desktops)
{
    const QLatin1String onlyKey("OnlyShowIn");
    const QStringList only = entry.value(onlyKey).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList excluded = entry.value(QStringLiteral("NotShowIn")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& desktop : desktops) {
        if (only.contains(desktop))
            return true;
        if (excluded.contains(desktop))
            return false;
    }
    // Even an empty OnlyShowIn names the desktops that show the entry: none.
    return !entry.contains(onlyKey);
}

bool EntryVisibility::canFindProgram(const QString& program)
{
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo file(program);
        return file.isExecutable() && !file.isDir();
    }
    return !program.isEmpty() && !QStandardPaths::findExecutable(program).isEmpty();
}

bool EntryVisibility::hasTryExecProgram(const DesktopEntry& entry)
{
    const QString tryExec = entry.value(QStringLiteral("TryExec"));
    return tryExec.isEmpty() || canFindProgram(tryExec);
}

bool EntryVisibility::hasExecProgram(const DesktopEntry& entry)
{
    const QString exec = entry.value(QStringLiteral("Exec"));
    if (exec.isEmpty())
        return true;
    const std::optional<QStringList> words = ExecLine::splitUnexpanded(exec);
    return words && !words->isEmpty() && canFindProgram(words->first());
}

bool EntryVisibility::isTrue(const QString& value)
{
    const QString word = value.trimmed();
    return word == QLatin1String("true") || word == QLatin1String("1");
}

bool EntryVisibility::isFalse(const QString& value)
{
    const QString word = value.trimmed();
    return word == QLatin1String("false") || word == QLatin1String("0");
}

} // namespace platform
