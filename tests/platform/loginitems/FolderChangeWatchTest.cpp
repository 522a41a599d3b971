#include "platform/loginitems/FolderChangeWatch.h"
#include "platform/files/RegularFile.h"

#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"

#include <QFile>

#include <gtest/gtest.h>

// A writer that makes a file in two steps, created empty and then filled in place, may fill it
// just after the watch has read it empty: the filled file must still be reported.
TEST(FolderChangeWatchTest, AFileFilledJustAfterItWasReadEmptyIsReported)
{
    const QString folder = test::makeTemporaryFolder("watch");
    const QString file = folder + "/two-steps.desktop";
    bool filled = false;
    platform::FolderChangeWatch watch(folder, {"*.desktop"}, [&](const QString& path) {
        std::optional<QByteArray> text = platform::readRegularFile(path);
        if (path == file && text && text->isEmpty() && !filled) {
            QFile second(path);
            filled = second.open(QIODevice::WriteOnly | QIODevice::Append) && second.write("[Desktop Entry]\n") > 0;
        }
        return text;
    });
    QStringList reported;
    watch.subscribe([&] { reported << QString::fromUtf8(test::readFile(file)); });
    QFile first(file);
    ASSERT_TRUE(first.open(QIODevice::WriteOnly));
    first.close();
    EXPECT_TRUE(processEventsUntil([&] { return reported.size() == 2; }));
    EXPECT_TRUE(filled);
    EXPECT_EQ(reported.value(1), "[Desktop Entry]\n");
}
