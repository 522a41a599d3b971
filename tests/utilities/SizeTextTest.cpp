#include "utilities/PublicUtilities.h"

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
    const auto decimal = PublicUtilities::longlongDiskSize, binary = PublicUtilities::longlongConvertVolSpace;
    const std::tuple<QString (*)(int64_t), int64_t, const char*> cases[] = {
        {decimal, 1'500'000, "1.50 MB"}, {decimal, -5, "-5 byte"}, {decimal, 1000, "1.00 KB"},
        {binary, 1023, "1023 byte"}, {binary, 1024, "1.00 KB"}, {binary, int64_t(1) << 40, "1.00 TB"},
        {binary, -1, "-1 byte"}, {binary, 3 * (int64_t(1) << 29), "1.50 GB"}};
    for (const auto& [format, bytes, text] : cases)
        EXPECT_EQ(format(bytes), text) << bytes;
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
