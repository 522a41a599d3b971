#include "action/UpdateCheckRules.h"

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
    using enum UpdateState;
    struct Case {
        std::optional<QVariantMap> remote;
        QVariant local;
        UpdateState state;
    } cases[] = {
        {list(qint64(101)), qint64(100), HaveUpdate},       {list(qint64(100)), qint64(100), NoUpdate},
        {list(qint64(99)), qint64(100), NoUpdate},          {list(QStringLiteral(" 101 ")), qint64(100), HaveUpdate},
        {list(qint64(1)), QVariant(), HaveUpdate},          {list(qint64(0)), QStringLiteral("junk"), NoUpdate}, // local: 0
        {list(qint64(-5)), qint64(0), NoUpdate},            {list(QStringLiteral("101abc")), qint64(100), NoNetwork},
        {list(QStringLiteral("99999999999999999999")), qint64(100), NoNetwork},
        {list(101.5), qint64(100), HaveUpdate},             {list(100.99), qint64(100), NoUpdate}, // by integer value
        {list(-0.5), qint64(0), NoUpdate},                  {list(qint64(101)), 100.9, HaveUpdate},
        {list(qQNaN()), qint64(0), NoNetwork},              {list(1e19), qint64(0), NoNetwork},
        {list(-qInf()), qint64(0), NoNetwork},              {list(QVariantMap{}), qint64(0), NoNetwork},
        {QVariantMap{{QStringLiteral("Version"), QStringLiteral("2.0")}}, qint64(0), NoNetwork},
        {std::nullopt, qint64(0), NoNetwork},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.remote ? c.remote->value("VersionCheck").toString().toStdString() : "none"));
        EXPECT_EQ(stateFor(c.remote, c.local), c.state);
    }
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
    EXPECT_EQ(layout.fields[0].frame, platform::ui::Rect(0, 115, 391, 25));
    EXPECT_EQ(layout.fields[1].frame, platform::ui::Rect(0, 76, 391, 39));
    EXPECT_EQ(layout.fields[2].text, QStringLiteral("3:<b>third</b> %1"));

    // A gap in the numbers: the missing note reads "(null)"; an unnumbered one counts for the
    // height only.
    remote.remove(QStringLiteral("2"));
    for (const char* key : {"x", "y", "z", "w", "v"})
        remote.insert(QString::fromLatin1(key), QStringLiteral("e"));
    layout = notesLayout(remote, lines);
    EXPECT_EQ(layout.height, 7 * 30);
    ASSERT_EQ(layout.fields.size(), 7u);
    EXPECT_EQ(layout.fields[1].text, QStringLiteral("2:(null)"));
    EXPECT_EQ(layout.fields[6].frame.minY(), 7 * 30 - 7 * 25);

    layout = notesLayout(list(qint64(2)), lines);
    EXPECT_EQ(layout.height, 140);
    EXPECT_TRUE(layout.fields.empty());
}
