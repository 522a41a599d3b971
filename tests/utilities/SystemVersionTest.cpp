#include "GetColor.h"
#include "PublicUtilities.h"

#include "Fakes.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

namespace {

struct VersionedPlatform {
    test::TestPlatform platform;
    test::FakeSystemVersion* version;

    explicit VersionedPlatform(const QString& text)
    {
        auto fake = std::make_unique<test::FakeSystemVersion>(text);
        version = fake.get();
        platform->systemVersion = std::move(fake);
    }
};

} // namespace

TEST(SystemVersionTest, NumberIsMajorTimesHundredPlusMinor)
{
    VersionedPlatform p(QStringLiteral("10.9.5"));
    EXPECT_EQ(PublicUtilities::getSystemVersion(), 1009);
    for (const auto& [text, number] : {std::pair{"10.10", 1010}, {"10.15.7", 1015}, {"11.0", 1100},
                                       {"11.2.3", 1102}, {"14.0", 1400}, {"10.4.11", 1004}}) {
        p.version->setVersion(QString::fromLatin1(text));
        EXPECT_EQ(PublicUtilities::getSystemVersion(), number) << text;
    }
    p.version->setVersion(QStringLiteral("10.13.6"));
    EXPECT_EQ(PublicUtilities::getMinorVersion(), 13);
    unsigned major = 0;
    unsigned bugFix = 0;
    PublicUtilities::getSystemVersionMajor(&major, nullptr, &bugFix);
    EXPECT_EQ(major, 10u);
    EXPECT_EQ(bugFix, 6u);
}

TEST(SystemVersionTest, FailingReadGivesTenZeroAndLogs)
{
    VersionedPlatform p(QStringLiteral("10.15.7"));
    p.version->failWith(-5551);
    EXPECT_EQ(PublicUtilities::getSystemVersion(), 1000);
    EXPECT_TRUE(p.platform.log().messages().contains(QStringLiteral("Unable to obtain system version: -5551")));

    // One failing part is as bad as all: the parts read so far are not used.
    p.version->failSelector(platform::gestaltSystemVersionBugFix, -1);
    unsigned major = 0;
    unsigned minor = 99;
    PublicUtilities::getSystemVersionMajor(&major, &minor, nullptr);
    EXPECT_EQ(major, 10u);
    EXPECT_EQ(minor, 0u);
}

TEST(SystemVersionTest, ColoursKeepTheirComponentsOnEveryVersion)
{
    VersionedPlatform p(QStringLiteral("10.9.5"));
    platform::ui::Color white = getColor(255, 255, 255, 0.8f);
    EXPECT_DOUBLE_EQ(white.redComponent(), 1.0);
    EXPECT_DOUBLE_EQ(white.blueComponent(), 1.0);
    EXPECT_FLOAT_EQ(float(white.alphaComponent()), 0.8f);

    p.version->setVersion(QStringLiteral("10.10"));
    platform::ui::Color link = getColor(0, 195, 248, 1);
    EXPECT_DOUBLE_EQ(link.greenComponent(), 195 / 255.0);
}
