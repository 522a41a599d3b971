#include "TCWindowButtonGroup.h"

#include "platform/notifications/NotificationCenter.h"

#include <map>
#include <memory>

const QString TCWindowButtonGroup::kDefaultIdentifier = QStringLiteral("com.halcroft.TCImageWindow.defaultWindowButtonGroup");

TCWindowButtonGroup& TCWindowButtonGroup::groupWithIdentifier(const QString& identifier)
{
    static std::map<QString, std::unique_ptr<TCWindowButtonGroup>> registry;
    const QString key = identifier.isNull() ? kDefaultIdentifier : identifier;
    auto& group = registry[key];
    if (!group)
        group = std::make_unique<TCWindowButtonGroup>(key);
    return *group;
}

void TCWindowButtonGroup::setNumberOfCaptures(std::int64_t count)
{
    if (count < 0 || count == numberOfCaptures_)
        return;
    numberOfCaptures_ = count;
    platform::NotificationCenter::defaultCenter().postNotificationName(
        TCWindowButtonGroupDidUpdateRolloverStateNotification, this);
}
