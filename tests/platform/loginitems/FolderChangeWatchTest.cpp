#include "platform/loginitems/FolderChangeWatch.h"
#include "platform/files/RegularFile.h"

#include "IsolatedEnvironment.h"
#include "ProcessEvents.h"

#include <QFileInfo>

#include <gtest/gtest.h>

// A writer that creates a file empty and then fills it in place may fill it just after the
// watch has read it empty: the filled file must still be reported.
TEST(FolderChangeWatchTest, AFileFilledJustAfterItWasReadEmptyIsReported)
{
    const QString file = test::makeTemporaryFolder("watch") + "/two-steps.desktop";
    QFile writer(file);
    platform::FolderChangeWatch watch(QFileInfo(file).path(), {"*.desktop"}, [&](const QString& path) {
        std::optional<QByteArray> text = platform::readRegularFile(path);
        if (text && text->isEmpty() && writer.isOpen()) {
            writer.write("[Desktop Entry]\n");
            writer.close();
        }
        return text;
    });
    int reports = 0;
    watch.subscribe([&] { ++reports; });
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_TRUE(processEventsUntil([&] { return reports == 2; })); // empty, then filled
    EXPECT_EQ(test::readFile(file), "[Desktop Entry]\n");
}
