#include "UpdateCheckRules.h"

#include "PlatformTest.h"

#include <gtest/gtest.h>

using namespace UpdateCheckRules;

namespace {

using UpdateCheckRulesTest = test::PlatformTest;

QVariantMap list(const QVariant& build)
{
    return {{QStringLiteral("VersionCheck"), build}, {QStringLiteral("Version"), QStringLiteral("2.0")}};
}

} // namespace

TEST_F(UpdateCheckRulesTest, BuildNumbersCompareAndEveryUnreadableRemoteNumberIsAFailure)
{
    struct Case {
        std::optional<QVariantMap> remote;
        QVariant local;
        UpdateState state;
    } cases[] = {
        {list(qint64(101)), qint64(100), UpdateState::HaveUpdate},
        {list(qint64(100)), qint64(100), UpdateState::NoUpdate},
        {list(qint64(99)), qint64(100), UpdateState::NoUpdate},
        {list(QStringLiteral(" 101 ")), qint64(100), UpdateState::HaveUpdate},
        {list(qint64(1)), QVariant(), UpdateState::HaveUpdate},              // no local number: 0
        {list(qint64(0)), QStringLiteral("junk"), UpdateState::NoUpdate},    // unreadable local: 0
        {list(qint64(-5)), qint64(0), UpdateState::NoUpdate},
        {list(QStringLiteral("101abc")), qint64(100), UpdateState::NoNetwork},
        {list(QStringLiteral("")), qint64(100), UpdateState::NoNetwork},
        {list(QStringLiteral("99999999999999999999")), qint64(100), UpdateState::NoNetwork},
        {list(101.5), qint64(100), UpdateState::NoNetwork},
        {list(true), qint64(0), UpdateState::NoNetwork},
        {list(QVariantMap{}), qint64(0), UpdateState::NoNetwork},
        {QVariantMap{{QStringLiteral("Version"), QStringLiteral("2.0")}}, qint64(0), UpdateState::NoNetwork},
        {std::nullopt, qint64(0), UpdateState::NoNetwork},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.remote ? c.remote->value("VersionCheck").toString().toStdString() : "none"));
        EXPECT_EQ(stateFor(c.remote, c.local), c.state);
    }
}

TEST_F(UpdateCheckRulesTest, TheRemoteListIsADictionaryWithinItsBound)
{
    const QByteArray head = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>VersionCheck</key><integer>7</integer>";
    const QByteArray padding(kMaximumListSize, ' ');
    EXPECT_EQ(remoteListFromData(head + "</dict></plist>")->value("VersionCheck").toLongLong(), 7);
    EXPECT_FALSE(remoteListFromData(head + padding + "</dict></plist>")); // over the bound
    EXPECT_FALSE(remoteListFromData(head));                                  // cut short
    EXPECT_FALSE(remoteListFromData("<plist version=\"1.0\"><array/></plist>"));
    EXPECT_FALSE(remoteListFromData("<html><body>Not Found</body></html>"));
    EXPECT_FALSE(remoteListFromData({}));
}

TEST_F(UpdateCheckRulesTest, NotesAreNumberedFromTheTopOfAViewAtLeast140High)
{
    const auto lines = [](const QString& text) { return 13.0 * (1 + text.count(QLatin1Char('\n'))); };
    QVariantMap remote = list(qint64(2));
    remote.insert(QStringLiteral("1"), QStringLiteral("first"));
    remote.insert(QStringLiteral("2"), QStringLiteral("a\nb\nc"));
    remote.insert(QStringLiteral("3"), QStringLiteral("<b>third</b> %1"));
    NotesLayout layout = notesLayout(remote, lines);
    // Counted with a floor of 30 each (30 + 39 + 30), raised to 140.
    EXPECT_EQ(layout.height, 140);
    ASSERT_EQ(layout.fields.size(), 3u);
    EXPECT_EQ(layout.fields[0].text, QStringLiteral("1:first"));
    EXPECT_EQ(layout.fields[0].frame, platform::ui::Rect(0, 115, 391, 25));
    EXPECT_EQ(layout.fields[1].frame, platform::ui::Rect(0, 76, 391, 39));
    EXPECT_EQ(layout.fields[2].text, QStringLiteral("3:<b>third</b> %1"));
    EXPECT_EQ(layout.fields[2].toolTip, QStringLiteral("<b>third</b> %1"));

    // A gap in the numbers: the missing note reads "(null)" and the unnumbered one is not shown,
    // though it counts for the height.
    remote.remove(QStringLiteral("2"));
    remote.insert(QStringLiteral("x"), QStringLiteral("x"));
    for (int i = 0; i < 4; ++i)
        remote.insert(QStringLiteral("extra%1").arg(i), QStringLiteral("e"));
    layout = notesLayout(remote, lines);
    EXPECT_EQ(layout.height, 7 * 30);
    ASSERT_EQ(layout.fields.size(), 7u);
    EXPECT_EQ(layout.fields[1].text, QStringLiteral("2:(null)"));
    EXPECT_TRUE(layout.fields[1].toolTip.isEmpty());
    EXPECT_EQ(layout.fields[6].frame.minY(), 7 * 30 - 7 * 25);

    layout = notesLayout(list(qint64(2)), lines);
    EXPECT_EQ(layout.height, 140);
    EXPECT_TRUE(layout.fields.empty());
}
