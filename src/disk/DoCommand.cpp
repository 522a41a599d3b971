#include "DoCommand.h"

#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/plist/PropertyListSerialization.h"

std::optional<QVariant> DoCommand(const QString& command)
{
    auto& platform = platform::Platform::current();
    const auto run = platform.commandRunner->run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    if (!run.started)
        return std::nullopt;
    QVariant parsed = platform.propertyLists->propertyListFromData(run.standardOutput);
    if (!parsed.isValid())
        return std::nullopt;
    return parsed;
}
