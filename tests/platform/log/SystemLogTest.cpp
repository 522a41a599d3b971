#include "platform/Platform.h"
#include "platform/log/SystemLog.h"

#include "IsolatedEnvironment.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// What NSLog wrote to standard error.
QByteArray standardErrorOf(const QString& message)
{
    const QString path = test::makeTemporaryFolder() + "/stderr";
    const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(file, STDERR_FILENO);
    platform::NSLog(message);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    ::close(file);
    return test::readFile(path);
}

} // namespace

// A reader in a program without a platform used to abort the program with its first log line.
TEST(SystemLogTest, WithoutAPlatformALineGoesToStandardError)
{
    ASSERT_EQ(platform::Platform::currentOrNull(), nullptr);
    EXPECT_TRUE(QString::fromUtf8(standardErrorOf("Property list refused: \"$(x)\" é"))
                    .contains(QRegularExpression(QString("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} Tavrin\\[%1\\] "
                                                         "Property list refused: \"\\$\\(x\\)\" é\\n$").arg(getpid()))));
    platform::Platform quiet;
    const platform::ScopedPlatform installed(quiet);
    EXPECT_EQ(standardErrorOf("kept quiet"), ""); // a platform without a log takes the line
}
