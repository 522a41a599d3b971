#include "platform/version/SimulatedSystemVersion.h"

#include <gtest/gtest.h>

using namespace platform;

// The packed answer stops at 10.9 (and bug fix 9); from 11 the minor is 16; a part that is no
// number fails every selector rather than answering zero.
TEST(SimulatedSystemVersionTest, AnswersEachSelectorAndRefusesWhatIsNoVersion)
{
    const struct {
        const char* version;
        OSType selector;
        OSErr result;
        int32_t value;
    } cases[] = {
        {"10.9.5", gestaltSystemVersion, noErr, 0x1095},   {"10.4.11", gestaltSystemVersion, noErr, 0x1049},
        {"10.13.6", gestaltSystemVersion, noErr, 0x1099},  {"11.2.3", gestaltSystemVersionMinor, noErr, 16},
        {"10.15", gestaltSystemVersionBugFix, noErr, 0},   {"14.1", gestaltSystemVersionMajor, noErr, 14},
        {"10.x.1", gestaltSystemVersionMajor, gestaltUndefSelectorErr, -1},
        {"10.-1", gestaltSystemVersionMinor, gestaltUndefSelectorErr, -1},
        {"10.13.6", fourCharCode("cpuf"), gestaltUndefSelectorErr, -1},
    };
    for (const auto& c : cases) {
        int32_t value = -1;
        EXPECT_EQ(SimulatedSystemVersion::answer(QString::fromLatin1(c.version), c.selector, &value), c.result) << c.version;
        EXPECT_EQ(value, c.value) << c.version;
    }
    EXPECT_EQ(SimulatedSystemVersion::answer(QStringLiteral("10.13"), gestaltSystemVersionMinor, nullptr), noErr);
}
