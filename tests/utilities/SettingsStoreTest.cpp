#include "PublicUtilities.h"
#include "SettingsStore.h"
#include "SystemFolder.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/plist/PropertyListSerialization.h"

#include <QFile>

#include <gtest/gtest.h>

#include <thread>

namespace {

QVariantMap storeContents(test::TestPlatform& p)
{
    return p->propertyLists->propertyListFromFile(p.resourcePath(QStringLiteral("StringMessage.plist"))).toMap();
}

} // namespace

TEST(SettingsStoreTest, WritesKeepEveryOtherKey)
{
    test::TestPlatform p;
    const QVariantMap before = storeContents(p);
    ASSERT_TRUE(before.contains(QStringLiteral("IniURL")));

    PublicUtilities::writePopWindowPoint({0, 0});
    QVariantMap after = storeContents(p);
    EXPECT_EQ(after.value(QStringLiteral("X")), QVariant(QStringLiteral("0.0")));
    EXPECT_EQ(after.value(QStringLiteral("Y")), QVariant(QStringLiteral("0.0")));
    after.remove(QStringLiteral("X"));
    after.remove(QStringLiteral("Y"));
    QVariantMap expected = before;
    expected.remove(QStringLiteral("X"));
    expected.remove(QStringLiteral("Y"));
    EXPECT_EQ(after, expected);

    PublicUtilities::writePopWindowPoint({12.34, -7.25});
    const platform::ui::Point point = PublicUtilities::getPopWindowPoint();
    EXPECT_FLOAT_EQ(float(point.x), 12.3f);
    EXPECT_FLOAT_EQ(float(point.y), -7.2f);
}

TEST(SettingsStoreTest, MissingOrDamagedFileIsLeftAlone)
{
    test::TestPlatform p;
    const QString path = p.resourcePath(QStringLiteral("StringMessage.plist"));

    QFile::remove(path);
    EXPECT_TRUE(PublicUtilities::getRegularFontName().isNull());
    PublicUtilities::writRegularFont(platform::ui::Font::fontWithName(QStringLiteral("X"), 1));
    EXPECT_FALSE(QFile::exists(path)) << "a write must not create the store";

    ASSERT_TRUE(test::writeFile(path, "<plist><dict><key>FontBold</key>"));
    EXPECT_TRUE(PublicUtilities::getBoldFontName().isNull());
    PublicUtilities::writePopWindowPoint({1, 2});
    EXPECT_EQ(test::readFile(path), QByteArray("<plist><dict><key>FontBold</key>"))
        << "what cannot be read is not replaced";
}

TEST(SettingsStoreTest, ConcurrentWritersKeepEachOthersKeys)
{
    test::TestPlatform p;
    auto writer = [](const QString& prefix) {
        for (int i = 0; i < 40; ++i)
            SettingsStore::setValueForKey(prefix + QString::number(i), qint64(i));
    };
    std::thread first(writer, QStringLiteral("a"));
    std::thread second(writer, QStringLiteral("b"));
    first.join();
    second.join();
    const QVariantMap contents = storeContents(p);
    for (int i = 0; i < 40; ++i) {
        EXPECT_TRUE(contents.contains(QStringLiteral("a%1").arg(i))) << i;
        EXPECT_TRUE(contents.contains(QStringLiteral("b%1").arg(i))) << i;
    }
}

TEST(SettingsStoreTest, ProtectedPathsCompareExactly)
{
    test::TestPlatform p;
    EXPECT_TRUE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/System")));
    EXPECT_TRUE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/usr/bin")));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/system")));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/System/")));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("")));

    // Keys must run from "0" upward: an entry after a gap is never reached.
    p->propertyLists->writeToFile(QVariantMap{{QStringLiteral("0"), QStringLiteral("/a")},
                                              {QStringLiteral("2"), QStringLiteral("/c")}},
                                  p.resourcePath(QStringLiteral("SystemFile.plist")));
    EXPECT_TRUE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/a")));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/c")));
    QFile::remove(p.resourcePath(QStringLiteral("SystemFile.plist")));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/a")));
}

TEST(SettingsStoreTest, LinkTextTakesItsFontFromTheStore)
{
    test::TestPlatform p;
    const auto link = PublicUtilities::getOpenString(QStringLiteral("Open settings"));
    ASSERT_TRUE(link.has_value());
    const auto font = link->attributesAtIndex(link->length() - 1).font;
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->fontName(), PublicUtilities::getLightFontName());
    EXPECT_FALSE(PublicUtilities::getOpenString(QString()).has_value());

    QFile::remove(p.resourcePath(QStringLiteral("StringMessage.plist")));
    const auto plain = PublicUtilities::getOpenString(QStringLiteral("x"));
    ASSERT_TRUE(plain.has_value());
    EXPECT_FALSE(plain->attributesAtIndex(0).font.has_value()) << "no font name, no font";
}

TEST(SettingsStoreTest, DatesParseInTheUsersFormat)
{
    const QLocale locale = QLocale::system();
    const QDateTime when(QDate(2026, 12, 6), QTime(17, 8));
    const QString text = locale.toString(when, locale.dateFormat(QLocale::LongFormat) + QLatin1Char(' ')
                                                   + locale.timeFormat(QLocale::ShortFormat));
    const auto parsed = PublicUtilities::convertDateFromString(text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->date(), when.date());
    EXPECT_FALSE(PublicUtilities::convertDateFromString(QStringLiteral("yesterday")).has_value());
}
