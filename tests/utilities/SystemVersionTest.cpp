#include "utilities/PublicUtilities.h"

#include "Fakes.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

TEST(SystemVersionTest, NumberIsMajorTimesHundredPlusMinorAndAFailingReadGivesTenZero)
{
    test::TestPlatform p;
    auto* version = test::install<test::FakeSystemVersion>(p->systemVersion);
    // From 11 the minor is 16, as a Mac answers programs built for 10.x.
    for (const auto& [text, number] : {std::pair{"10.9.5", 1009}, {"10.10", 1010}, {"10.15.7", 1015},
                                       {"11.2.3", 1116}, {"14.0", 1416}, {"10.4.11", 1004}}) {
        version->setVersion(text);
        EXPECT_EQ(PublicUtilities::getSystemVersion(), number) << text;
    }
    version->setVersion("10.13.6");
    EXPECT_EQ(PublicUtilities::getMinorVersion(), 13);
    unsigned major = 0, minor = 99, bugFix = 0;
    PublicUtilities::getSystemVersionMajor(&major, nullptr, &bugFix);
    EXPECT_EQ(bugFix, 6u);
    version->failWith(-5551);
    EXPECT_EQ(PublicUtilities::getSystemVersion(), 1000);
    EXPECT_TRUE(p.log().messages().contains("Unable to obtain system version: -5551"));
    // One failing part is as bad as all: the parts read so far are not used.
    version->failSelector(platform::gestaltSystemVersionBugFix, -1);
    PublicUtilities::getSystemVersionMajor(&major, &minor, nullptr);
    EXPECT_EQ(major, 10u);
    EXPECT_EQ(minor, 0u);
}
