#include "GsettingsAppearance.h"

#include "platform/commands/CommandRunner.h"
#include "platform/log/SystemLog.h"

namespace platform {

namespace {

const QString kGsettings = QStringLiteral("/usr/bin/gsettings");
const QString kInterface = QStringLiteral("org.gnome.desktop.interface");
const QString kColor = QStringLiteral("org.gnome.settings-daemon.plugins.color");

void set(CommandRunner& runner, const QString& schema, const QString& key, const QString& value)
{
    const CommandRunner::Result result = runner.run(kGsettings, {QStringLiteral("set"), schema, key, value});
    if (!result.started || result.exitStatus != 0)
        NSLog(QStringLiteral("gsettings could not set %1 %2").arg(schema, key));
}

} // namespace

bool GsettingsAppearance::isOffered(CommandRunner& runner)
{
    const CommandRunner::Result result =
        runner.run(kGsettings, {QStringLiteral("writable"), kInterface, QStringLiteral("color-scheme")});
    return result.started && result.exitStatus == 0 && result.standardOutput.trimmed() == "true";
}

void GsettingsAppearance::setDarkColorScheme(bool dark)
{
    set(runner_, kInterface, QStringLiteral("color-scheme"), dark ? QStringLiteral("prefer-dark") : QStringLiteral("default"));
}

void GsettingsAppearance::setNightLight(bool on)
{
    set(runner_, kColor, QStringLiteral("night-light-enabled"), on ? QStringLiteral("true") : QStringLiteral("false"));
}

} // namespace platform
