#include "TestPlatform.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// Reads the process's standard error into `seen` until it holds `text` or a minute has passed.
bool waitForError(QProcess& process, QByteArray& seen, const QByteArray& text)
{
    const QDeadlineTimer deadline(60000);
    while (!seen.contains(text) && !deadline.hasExpired()) {
        if (!process.waitForReadyRead(int(deadline.remainingTime())) && process.state() != QProcess::Running)
            break;
        seen += process.readAllStandardError();
    }
    seen += process.readAllStandardError();
    return seen.contains(text);
}

} // namespace

TEST(SecondCopyTest, ASecondCopyGivesWayWithStatusZeroAndTheFirstComesForward)
{
    // The program itself, from a bundle of this test's own (its settings and simulated Mac).
    test::TestPlatform platform;
    const QString executable = platform.bundlePath() + QStringLiteral("/Contents/MacOS/Tavrin");
    QDir().mkpath(platform.bundlePath() + QStringLiteral("/Contents/MacOS"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVRIN_EXECUTABLE), executable));
    QFile::setPermissions(executable, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    QProcess second;
    for (QProcess* copy : {&first, &second}) {
        copy->setProcessEnvironment(environment);
        copy->setReadChannel(QProcess::StandardError); // what waitForReadyRead waits for
    }

    first.start(executable, {});
    QByteArray firstError;
    // The first copy reports the Mac once it has taken the lock and built its window.
    ASSERT_TRUE(waitForError(first, firstError, "sysctl:")) << firstError.toStdString();
    second.start(executable, {});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(second.readAllStandardError().contains("sysctl:")); // it built nothing
    EXPECT_TRUE(waitForError(first, firstError, "asked this one to come to the front")) << firstError.toStdString();

    // A termination signal ends the first copy cleanly.
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(60000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
}
