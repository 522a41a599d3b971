#include "platform/workspace/OpenTarget.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::OpenTarget;
using Route = OpenTarget::Route;

namespace {

// "/Applications/..." lies in the simulated Mac under /sim; /home/u/file exists as it is.
QString existing(const QString& path)
{
    if (path == "/home/u/file.txt"_L1)
        return path;
    return path.startsWith("/Applications"_L1) ? u"/sim"_s + path : QString();
}

} // namespace

TEST(OpenTargetTest, OnlyPanesSettingsAddressesAndExistingBundlesGoToTheSimulatedMac)
{
    for (const char* path : {"/System/Library/PreferencePanes/Accounts.prefPane",
                             "/System/Library/PreferencePanes/EnergySaver.prefPane/", "/Library/PreferencePanes/Other.PREFPANE"})
        EXPECT_EQ(OpenTarget::forPath(QString::fromLatin1(path), existing).route, Route::SimulatedMac) << path;
    // A file URL of a pane is the pane.
    for (const QUrl& url : {QUrl(u"x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"_s),
                            QUrl::fromLocalFile(u"/System/Library/PreferencePanes/Battery.prefPane"_s)})
        EXPECT_EQ(OpenTarget::forUrl(url, existing).route, Route::SimulatedMac) << url.toString().toStdString();
    const OpenTarget terminal = OpenTarget::forPath(u"/Applications/Utilities/Terminal.app"_s, existing);
    EXPECT_EQ(terminal.route, Route::SimulatedMac);
    EXPECT_EQ(terminal.path, u"/sim/Applications/Utilities/Terminal.app"_s);

    // Nothing else is opened; ".prefPane" alone is a hidden file's name, not a pane.
    for (const QString& path : {QString(), u"/tmp/.prefPane"_s, u"/System/Applications/Missing.app"_s, u"file.txt"_s,
                                u"/home/u/missing.txt"_s, u"/home/u/file.txt"_s + QChar(0)})
        EXPECT_EQ(OpenTarget::forPath(path, existing).route, Route::Refused) << path.toStdString();
    EXPECT_EQ(OpenTarget::forPath(u"/home/u/file.txt"_s, nullptr).route, Route::Refused);
    for (const char* address : {"javascript:alert(1)", "ftp://example.org/x", "smb://host/share", "http:///nohost",
                                "mailto:", "", "x-unknown:thing"})
        EXPECT_EQ(OpenTarget::forUrl(QUrl(QString::fromLatin1(address)), existing).route, Route::Refused) << address;
}
