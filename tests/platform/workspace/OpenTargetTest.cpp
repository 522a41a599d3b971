#include "platform/workspace/OpenTarget.h"

#include <gtest/gtest.h>

using platform::OpenTarget;
using Route = OpenTarget::Route;

namespace {

// "/Applications/..." lies in the simulated Mac under /sim; /home/u/file exists as it is.
QString existing(const QString& path)
{
    if (path == QLatin1String("/home/u/file.txt"))
        return path;
    if (path.startsWith(QLatin1String("/Applications")))
        return QStringLiteral("/sim") + path;
    return {};
}

} // namespace

TEST(OpenTargetTest, PreferencePanesSettingsAddressesAndExistingBundlesGoToTheSimulatedMac)
{
    for (const char* path : {"/System/Library/PreferencePanes/Accounts.prefPane",
                             "/System/Library/PreferencePanes/EnergySaver.prefPane/", "/Library/PreferencePanes/Other.PREFPANE"})
        EXPECT_EQ(OpenTarget::forPath(QString::fromLatin1(path), existing).route, Route::SimulatedMac) << path;
    // A file URL of a pane is the pane.
    for (const QUrl& url : {QUrl(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles")),
                            QUrl::fromLocalFile(QStringLiteral("/System/Library/PreferencePanes/Battery.prefPane"))})
        EXPECT_EQ(OpenTarget::forUrl(url, existing).route, Route::SimulatedMac) << url.toString().toStdString();
    const OpenTarget terminal = OpenTarget::forPath(QStringLiteral("/Applications/Utilities/Terminal.app"), existing);
    EXPECT_EQ(terminal.route, Route::SimulatedMac);
    EXPECT_EQ(terminal.path, QStringLiteral("/sim/Applications/Utilities/Terminal.app"));
}

TEST(OpenTargetTest, NothingElseIsOpened)
{
    // ".prefPane" alone is a hidden file's name, not a pane.
    for (const QString& path : {QString(), QStringLiteral("/tmp/.prefPane"), QStringLiteral("/System/Applications/Missing.app"),
                                QStringLiteral("file.txt"), QStringLiteral("/home/u/missing.txt"),
                                QStringLiteral("/home/u/file.txt") + QChar(0)})
        EXPECT_EQ(OpenTarget::forPath(path, existing).route, Route::Refused) << path.toStdString();
    EXPECT_EQ(OpenTarget::forPath(QStringLiteral("/home/u/file.txt"), nullptr).route, Route::Refused);
    for (const char* address : {"javascript:alert(1)", "ftp://example.org/x", "smb://host/share", "http:///nohost",
                                "mailto:", "", "x-unknown:thing"})
        EXPECT_EQ(OpenTarget::forUrl(QUrl(QString::fromLatin1(address)), existing).route, Route::Refused) << address;
}
