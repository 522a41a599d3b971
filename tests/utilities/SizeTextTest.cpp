#include "PublicUtilities.h"

#include <gtest/gtest.h>

#include <limits>

TEST(SizeTextTest, DecimalStepsWithoutDecimals)
{
    EXPECT_EQ(PublicUtilities::convertVolSpace(0), QStringLiteral("0 byte"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(999), QStringLiteral("999 byte"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(1000), QStringLiteral("1 KB"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(999'999), QStringLiteral("1000 KB"));
    // Halves round to even, as the C library formats them.
    EXPECT_EQ(PublicUtilities::convertVolSpace(2'500), QStringLiteral("2 KB"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(3'500), QStringLiteral("4 KB"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(5'000'000), QStringLiteral("5 MB"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(999'999'999'999), QStringLiteral("1000 GB"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(1'000'000'000'000), QStringLiteral("1 TB"));
    EXPECT_EQ(PublicUtilities::convertVolSpace(std::numeric_limits<uint64_t>::max()),
              QStringLiteral("18446744 TB"));
}

TEST(SizeTextTest, DecimalAndBinaryStepsWithTwoDecimals)
{
    EXPECT_EQ(PublicUtilities::longlongDiskSize(1'500'000), QStringLiteral("1.50 MB"));
    EXPECT_EQ(PublicUtilities::longlongDiskSize(-5), QStringLiteral("-5 byte"));
    EXPECT_EQ(PublicUtilities::longlongDiskSize(1000), QStringLiteral("1.00 KB"));
    EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(1023), QStringLiteral("1023 byte"));
    EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(1024), QStringLiteral("1.00 KB"));
    EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(int64_t(1) << 40), QStringLiteral("1.00 TB"));
    EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(-1), QStringLiteral("-1 byte"));
    EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(3 * (int64_t(1) << 29)), QStringLiteral("1.50 GB"));
}

TEST(SizeTextTest, ParsesWhatTheConversionsWrite)
{
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("12 KB")), 12'000u);
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("1.5 GB")), 1'500'000'000u);
    EXPECT_EQ(PublicUtilities::volSpaceFromString(PublicUtilities::convertVolSpace(5'000'000)), 5'000'000u);
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("2 TB")), 1'999'999'991'808u);
    EXPECT_EQ(PublicUtilities::volSpaceFromString(QStringLiteral("12KB")), 12'000u);
}

TEST(SizeTextTest, ParserGivesZeroForWhatItDoesNotKnow)
{
    for (const QString& text : {QString(), QStringLiteral(""), QStringLiteral("K"), QStringLiteral("12 byte"),
                                QStringLiteral("12 kb"), QStringLiteral("KB"), QStringLiteral("abc MB"),
                                QStringLiteral("-3 MB"), QStringLiteral("-3 KB"), QStringLiteral("1e30 TB"),
                                QStringLiteral("99999999999999999999999999999999999999999 KB")}) {
        EXPECT_EQ(PublicUtilities::volSpaceFromString(text), 0u) << text.toStdString();
    }
}

TEST(SizeTextTest, FileSystemNames)
{
    EXPECT_EQ(PublicUtilities::fileSystemTypeForInt(0, false), QStringLiteral("FAT12"));
    EXPECT_EQ(PublicUtilities::fileSystemTypeForInt(8, false), QStringLiteral("HFS+"));
    EXPECT_EQ(PublicUtilities::fileSystemTypeForInt(9, false), QStringLiteral("Unknown"));
    EXPECT_EQ(PublicUtilities::fileSystemTypeForInt(10, false), QStringLiteral("Disk"));
    EXPECT_EQ(PublicUtilities::fileSystemTypeForInt(-1, false), QStringLiteral("Disk"));
    EXPECT_EQ(PublicUtilities::fileSystemTypeForInt(3, true), QStringLiteral("Disk Image"));
}
