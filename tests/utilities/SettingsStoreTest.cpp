#include "utilities/PublicUtilities.h"
#include "utilities/SettingsStore.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include "platform/plist/PropertyListSerialization.h"

#include <QFile>

#include <gtest/gtest.h>

#include <thread>

namespace {

QVariantMap storeContents(test::TestPlatform& p)
{
    return p->propertyLists->propertyListFromFile(p.resourcePath(QString("StringMessage.plist"))).toMap();
}

} // namespace

TEST(SettingsStoreTest, WritesKeepEveryOtherKey)
{
    test::TestPlatform p;
    const QVariantMap before = storeContents(p);
    ASSERT_TRUE(before.contains(QString("IniURL")));
    PublicUtilities::writePopWindowPoint({0, 0});
    QVariantMap expected = before;
    expected.insert(QVariantMap{{"X", "0.0"}, {"Y", "0.0"}});
    EXPECT_EQ(storeContents(p), expected);
    PublicUtilities::writePopWindowPoint({12.34, -7.25});
    const platform::ui::Point point = PublicUtilities::getPopWindowPoint();
    EXPECT_FLOAT_EQ(float(point.x), 12.3f);
    EXPECT_FLOAT_EQ(float(point.y), -7.2f);
}

TEST(SettingsStoreTest, MissingOrDamagedFileIsLeftAlone)
{
    test::TestPlatform p;
    const QString path = p.resourcePath(QString("StringMessage.plist"));
    QFile::remove(path);
    EXPECT_TRUE(PublicUtilities::getRegularFontName().isNull());
    PublicUtilities::writRegularFont(platform::ui::Font::fontWithName(QString("X"), 1));
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
    std::thread first(writer, QString("a")), second(writer, QString("b"));
    first.join();
    second.join();
    const QVariantMap contents = storeContents(p);
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(contents.contains(QString("a%1").arg(i)) && contents.contains(QString("b%1").arg(i))) << i;
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
    EXPECT_FALSE(PublicUtilities::convertDateFromString(QString("yesterday")).has_value());
}
