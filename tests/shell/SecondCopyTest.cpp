#include "TestPlatform.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The program itself, started from a bundle of this test's own (so that its settings and the
// simulated Mac are the test's), on the offscreen desktop.
class ProgramCopies {
public:
    ProgramCopies()
    {
        const QString macOS = platform_.bundlePath() + QStringLiteral("/Contents/MacOS");
        QDir().mkpath(macOS);
        executable_ = macOS + QStringLiteral("/Tavrin");
        copied_ = QFile::copy(QStringLiteral(TAVRIN_EXECUTABLE), executable_);
        QFile::setPermissions(executable_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ready() const { return copied_; }

    void start(QProcess& process) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setReadChannel(QProcess::StandardError); // what waitForReadyRead waits for
        process.start(executable_, {});
    }

    // Reads the process's standard error until it holds `text` or a minute has passed.
    static bool waitForError(QProcess& process, QByteArray& seen, const QByteArray& text)
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

private:
    test::TestPlatform platform_;
    QString executable_;
    bool copied_ = false;
};

} // namespace

TEST(SecondCopyTest, ASecondCopyGivesWayWithStatusZeroAndTheFirstComesForward)
{
    ProgramCopies copies;
    ASSERT_TRUE(copies.ready());
    QProcess first;
    copies.start(first);
    QByteArray firstError;
    // The first copy reports the Mac once it has taken the lock and built its window.
    ASSERT_TRUE(ProgramCopies::waitForError(first, firstError, "sysctl:")) << firstError.toStdString();

    QProcess second;
    copies.start(second);
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(second.readAllStandardError().contains("sysctl:")); // it built nothing

    EXPECT_TRUE(ProgramCopies::waitForError(first, firstError, "asked this one to come to the front"))
        << firstError.toStdString();

    // A termination signal ends the first copy cleanly.
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(60000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
}
