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
    const struct {
        QStringList arguments;
        QString workingDirectory;
        bool started;
    } cases[] = {
        {{u"true"_s}, folder, true},
        {{u"/bin/sh"_s, u"-c"_s, u"exit 3"_s}, {}, true},
        {{u"tavrin-local"_s}, {}, false},
        {{u"./tavrin-local"_s}, {}, true},
        {{u"true"_s}, folder + u"/missing"_s, false},
        {{u"no-such-program-anywhere"_s}, {}, false},
        {{u""_s, u"true"_s}, {}, false},
        {{}, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(platform::DesktopLauncher::startProgram(c.arguments, c.workingDirectory), c.started);
    }
}
