#include "platform/workspace/OpenTarget.h"

#include <gtest/gtest.h>

using platform::OpenTarget;
using Route = OpenTarget::Route;

namespace {

// "/Applications/..." lies in the simulated Mac under /sim; /home/u/file exists as it is.
QString existing(const QString& path)
{
    if (path == QLatin1String("/home/u/file.txt") || path == QLatin1String("/home/u/My \"Docs\" $(x)"))
        return path;
    if (path.startsWith(QLatin1String("/Applications")))
        return QStringLiteral("/sim") + path;
    return {};
}

} // namespace

TEST(OpenTargetTest, PreferencePanesAndSettingsAddressesGoToTheSimulatedMac)
{
    for (const QString& pane : {QStringLiteral("/System/Library/PreferencePanes/Accounts.prefPane"),
                                QStringLiteral("/System/Library/PreferencePanes/EnergySaver.prefPane/"),
                                QStringLiteral("/Library/PreferencePanes/Other.PREFPANE")}) {
        const OpenTarget target = OpenTarget::forPath(pane, existing);
        EXPECT_EQ(target.route, Route::SimulatedMac) << pane.toStdString();
    }
    const OpenTarget privacy = OpenTarget::forUrl(
        QUrl(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles")), existing);
    EXPECT_EQ(privacy.route, Route::SimulatedMac);
    // A file URL of a pane is the pane.
    EXPECT_EQ(OpenTarget::forUrl(QUrl::fromLocalFile(QStringLiteral("/System/Library/PreferencePanes/Battery.prefPane")),
                                 existing)
                  .route,
              Route::SimulatedMac);
    // ".prefPane" alone is a hidden file's name, not a pane.
    EXPECT_EQ(OpenTarget::forPath(QStringLiteral("/tmp/.prefPane"), existing).route, Route::Refused);
}

TEST(OpenTargetTest, ApplicationBundlesOfTheSimulatedMacAreSimulatedOnlyWhenTheyExist)
{
    const OpenTarget terminal = OpenTarget::forPath(QStringLiteral("/Applications/Utilities/Terminal.app"), existing);
    EXPECT_EQ(terminal.route, Route::SimulatedMac);
    EXPECT_EQ(terminal.path, QStringLiteral("/sim/Applications/Utilities/Terminal.app"));
    EXPECT_EQ(OpenTarget::forPath(QStringLiteral("/System/Applications/Missing.app"), existing).route, Route::Refused);
}

TEST(OpenTargetTest, NothingElseIsOpened)
{
    EXPECT_EQ(OpenTarget::forPath(QString(), existing).route, Route::Refused);
    EXPECT_EQ(OpenTarget::forPath(QStringLiteral("file.txt"), existing).route, Route::Refused);
    EXPECT_EQ(OpenTarget::forPath(QStringLiteral("/home/u/missing.txt"), existing).route, Route::Refused);
    EXPECT_EQ(OpenTarget::forPath(QStringLiteral("/home/u/file.txt") + QChar(0), existing).route, Route::Refused);
    EXPECT_EQ(OpenTarget::forPath(QStringLiteral("/home/u/file.txt"), nullptr).route, Route::Refused);
    for (const char* address : {"javascript:alert(1)", "ftp://example.org/x", "smb://host/share", "http:///nohost",
                                "mailto:", "", "x-unknown:thing"}) {
        EXPECT_EQ(OpenTarget::forUrl(QUrl(QString::fromLatin1(address)), existing).route, Route::Refused) << address;
    }
}
