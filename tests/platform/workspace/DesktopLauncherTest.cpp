#include "platform/workspace/DesktopLauncher.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A start is reported only once the program runs: a name is looked up on PATH, and nothing is
// run from the current folder.
TEST(DesktopLauncherTest, AStartIsReportedOnlyWhenTheProgramRuns)
{
    const QString folder = test::makeTemporaryFolder();
    test::writeFile(folder + u"/tavrin-local"_s, "#!/bin/sh\n");
    QFile::setPermissions(folder + u"/tavrin-local"_s, QFile::ReadOwner | QFile::ExeOwner);
    QDir::setCurrent(folder);
    const std::pair<QStringList, bool> cases[] = {
        {{u"true"_s}, true},
        {{u"tavrin-local"_s}, false},
        {{u"./tavrin-local"_s}, true},
        {{u"no-such-program-anywhere"_s}, false},
        {{u""_s, u"true"_s}, false},
        {{}, false},
    };
    for (const auto& [arguments, started] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_EQ(platform::DesktopLauncher::startProgram(arguments, folder), started);
    }
}
