#include "platform/text/StringFormat.h"

#include <gtest/gtest.h>

// Ties round to even as C does; a text longer than the first buffer comes whole.
TEST(StringFormatTest, CRoundingAndLongTextsWhole)
{
    EXPECT_EQ(platform::stringWithFormat("%.1f %.2f", 2.25, 1.125), QStringLiteral("2.2 1.12"));
    EXPECT_EQ(platform::stringWithFormat("%s|%d", std::string(300, 'x').c_str(), 7),
              QString(300, QLatin1Char('x')) + QStringLiteral("|7"));
    EXPECT_EQ(platform::stringWithFormat("%s", "Grüße"), QStringLiteral("Grüße"));
}
