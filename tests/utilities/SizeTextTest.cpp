#include "PublicUtilities.h"

#include <gtest/gtest.h>

#include <limits>

TEST(SizeTextTest, DecimalStepsWithoutDecimals)
{
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0 byte"}, {999, "999 byte"}, {1000, "1 KB"}, {999'999, "1000 KB"},
        // Halves round to even, as the C library formats them.
        {2'500, "2 KB"}, {3'500, "4 KB"}, {5'000'000, "5 MB"}, {999'999'999'999, "1000 GB"},
        {1'000'000'000'000, "1 TB"}, {std::numeric_limits<uint64_t>::max(), "18446744 TB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(PublicUtilities::convertVolSpace(bytes), QString::fromLatin1(text)) << bytes;
}

TEST(SizeTextTest, DecimalAndBinaryStepsWithTwoDecimals)
{
    const std::pair<int64_t, const char*> decimal[] = {{1'500'000, "1.50 MB"}, {-5, "-5 byte"}, {1000, "1.00 KB"}};
    for (const auto& [bytes, text] : decimal)
        EXPECT_EQ(PublicUtilities::longlongDiskSize(bytes), QString::fromLatin1(text)) << bytes;
    const std::pair<int64_t, const char*> binary[] = {
        {1023, "1023 byte"}, {1024, "1.00 KB"}, {int64_t(1) << 40, "1.00 TB"}, {-1, "-1 byte"},
        {3 * (int64_t(1) << 29), "1.50 GB"},
    };
    for (const auto& [bytes, text] : binary)
        EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(bytes), QString::fromLatin1(text)) << bytes;
}

TEST(SizeTextTest, ParsesWhatTheConversionsWriteAndZeroForTheRest)
{
    const std::pair<QString, uint64_t> cases[] = {
        {"12 KB", 12'000u}, {"1.5 GB", 1'500'000'000u}, {PublicUtilities::convertVolSpace(5'000'000), 5'000'000u},
        {"2 TB", 1'999'999'991'808u}, {"12KB", 12'000u}, {QString(), 0}, {"", 0}, {"K", 0}, {"12 byte", 0},
        {"12 kb", 0}, {"KB", 0}, {"abc MB", 0}, {"-3 MB", 0}, {"-3 KB", 0}, {"1e30 TB", 0},
        {"99999999999999999999999999999999999999999 KB", 0},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(PublicUtilities::volSpaceFromString(text), bytes) << text.toStdString();
}

TEST(SizeTextTest, FileSystemNames)
{
    const std::tuple<int, bool, const char*> cases[] = {
        {0, false, "FAT12"}, {8, false, "HFS+"}, {9, false, "Unknown"},
        {10, false, "Disk"}, {-1, false, "Disk"}, {3, true, "Disk Image"},
    };
    for (const auto& [type, image, name] : cases)
        EXPECT_EQ(PublicUtilities::fileSystemTypeForInt(type, image), QString::fromLatin1(name)) << type;
}
