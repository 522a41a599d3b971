#include "platform/Platform.h"
#include "platform/log/SystemLog.h"

#include "IsolatedEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

// A reader in a program without a platform aborted the program with its first log line.
TEST(SystemLogTest, WithoutAPlatformALineGoesToStandardError)
{
    ASSERT_EQ(platform::Platform::currentOrNull(), nullptr);
    const QString path = test::makeTemporaryFolder() + "/stderr";
    const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600), saved = ::dup(2);
    ::dup2(file, 2);
    platform::NSLog("refused: \"$(x)\" é");
    ::dup2(saved, 2);
    ::close(saved);
    ::close(file);
    EXPECT_TRUE(test::readFile(path).endsWith(" Tavrin[" + QByteArray::number(getpid()) + "] refused: \"$(x)\" \xc3\xa9\n"));
}
