#include "TaskManager/TaskManagerInfo.h"
#include "TaskManager/TaskSelection.h"
#include "WorkspaceFakes.h"
#include <gtest/gtest.h>

using namespace platform::ui;

TEST(TaskSelectionTest, AppIsRemovedWhereverItStands)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Safari.app", "Safari"}, {".app Store.app", " Store"}, {"my.apps helper", "mys helper"},
        {"Notes", "Notes"},       {"Shout.APP", "Shout.APP"}, // as written, case and all
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(TaskSelection::displayName(QString::fromLatin1(name)), QString::fromLatin1(shown)) << name;
}

TEST(TaskSelectionTest, OnlyWholeIdentifiersFromTwoUpReachAForceQuit)
{
    using TaskSelection::processIdentifier;
    EXPECT_EQ(processIdentifier(QStringLiteral("2147483647")), 2147483647);
    for (const char* refused : {"", "0", "1", "-9", "+12", " 12", "12 ", "0x1f", "$(kill 1)", "12;1", "2147483648",
                                "4294967298", "99999999999999"})
        EXPECT_FALSE(processIdentifier(QString::fromLatin1(refused))) << refused;
    // A listed identifier that does not fit 32 bits must not wrap into another process's.
    for (const QVariant& bad : {QVariant(), QVariant(QStringLiteral("pid")), QVariant(qlonglong(1) << 32 | 812),
                                QVariant(qlonglong(-812))}) {
        QVariantMap application = test::FakeWorkspace::application(QStringLiteral("Mail"), 0, QStringLiteral("/x"));
        application.insert(platform::NSApplicationProcessIdentifier, bad);
        EXPECT_EQ(TaskManagerInfo::fromApplication(application).pID, 0) << bad.toString().toStdString();
    }
}

TEST(TaskSelectionTest, ProcessUsageIsTheSecondWordAfterTheHeader)
{
    EXPECT_EQ(TaskSelection::processUsage("  PID  %CPU   TT  STAT      TIME COMMAND\n  1 0.3 ?? Ss 1:02.00 launchd\n"),
              QStringLiteral("0.3"));
    EXPECT_EQ(TaskSelection::processUsage("\n\n   7\t\n  12.5 rest"), QStringLiteral("12.5"));
    EXPECT_EQ(TaskSelection::processUsage("PID  %CPU   TT  STAT      TIME COMMAND\n  1\n"), QStringLiteral("unknown"));
}
