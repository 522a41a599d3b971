#include "UdisksActor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Calls {
    std::vector<QStringList> list;
    UdisksActor actor(bool present, int status = 0)
    {
        return UdisksActor([present](const QString& name) { return present ? "/usr/bin/" + name : QString(); },
                           [this, status](const QString& path, const QStringList& arguments) {
                               list.push_back(QStringList{path} + arguments);
                               return tools::ProgramOutcome{true, status, {}, "Error: first\nError mounting: busy\n"};
                           });
    }
};

} // namespace

TEST(UdisksActorTest, WithoutUdisksEveryActionFailsAndNothingRuns)
{
    Calls calls;
    const UdisksActor actor = calls.actor(false);
    for (const ActionOutcome& outcome : {actor.mount("/dev/sdb1"), actor.unmount("/dev/sdb1"), actor.powerOff("/dev/sdb"),
                                         actor.setLabel("/dev/sdb1", "X")}) {
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.reason.startsWith("udisks is not available on this machine")) << qPrintable(outcome.reason);
    }
    EXPECT_TRUE(calls.list.empty());
}

TEST(UdisksActorTest, ArgumentsStayWholeAndFailuresSayWhy)
{
    Calls calls;
    const UdisksActor actor = calls.actor(true);
    EXPECT_TRUE(actor.mount("/dev/mmcblk0p1").ok);
    EXPECT_TRUE(actor.setLabel("/dev/sdb1", "-n $(x)\n\"").ok);
    EXPECT_FALSE(actor.setLabel("/dev/../sdb1", "X").ok);  // no such udisks object: nothing runs
    ASSERT_EQ(calls.list.size(), 2u);
    EXPECT_EQ(calls.list[0], (QStringList{"/usr/bin/udisksctl", "mount", "--no-user-interaction", "--block-device", "/dev/mmcblk0p1"}));
    EXPECT_EQ(calls.list[1], (QStringList{"/usr/bin/busctl", "--system", "--", "call", "org.freedesktop.UDisks2",
                                          "/org/freedesktop/UDisks2/block_devices/sdb1", "org.freedesktop.UDisks2.Filesystem",
                                          "SetLabel", "sa{sv}", "-n $(x)\n\"", "0"}));
    Calls failing;
    EXPECT_EQ(failing.actor(true, 1).unmount("/dev/sdb1").reason, "Error mounting: busy");
}
