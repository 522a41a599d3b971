#include "platform/workspace/ApplicationEntry.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

using platform::ApplicationEntry;

namespace {

std::optional<ApplicationEntry> entry(const QString& name, const QString& locale = QStringLiteral("C"))
{
    return ApplicationEntry::parse(test::readFile(test::fixturePath(QStringLiteral("workspace/applications/") + name)),
                                   locale);
}

} // namespace

TEST(ApplicationEntryTest, ExecIsSplitIntoArgumentsWithItsQuotingUndone)
{
    const auto editor = entry(QStringLiteral("editor.desktop"));
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->name, QStringLiteral("My Editor"));
    // The file's \\" is an escaped backslash first, then a quote inside the quoted argument;
    // the field code %F is dropped.
    EXPECT_EQ(editor->command, (QStringList{QStringLiteral("/opt/My Editor/bin/my-editor"), QStringLiteral("--open"),
                                            QStringLiteral("say \"hi\"")}));
    EXPECT_EQ(editor->tryExec, QStringLiteral("/opt/My Editor/bin/my-editor"));
    EXPECT_EQ(editor->icon, QStringLiteral("accessories-text-editor.png"));
}

TEST(ApplicationEntryTest, TheNameFollowsTheUsersLanguage)
{
    const std::pair<const char*, QString> cases[] = {
        {"de_DE.UTF-8", QStringLiteral("Mein Editor")}, {"de_CH.UTF-8@euro", QStringLiteral("Üse Editor")},
        {"ja_JP.UTF-8", QStringLiteral("エディター")},     {"fr_FR", QStringLiteral("My Editor")},
        {"", QStringLiteral("My Editor")},
    };
    for (const auto& [locale, name] : cases)
        EXPECT_EQ(entry(QStringLiteral("editor.desktop"), QString::fromLatin1(locale))->name, name) << locale;
}

TEST(ApplicationEntryTest, HostileTextStaysPlainText)
{
    const auto hostile = entry(QStringLiteral("hostile.desktop"));
    ASSERT_TRUE(hostile);
    EXPECT_EQ(hostile->name, QStringLiteral("Evil \"quoted\" $(touch /tmp/pwned) `id`; rm -rf ~"));
    EXPECT_EQ(hostile->command, (QStringList{QStringLiteral("/opt/evil/bin/evil"), QStringLiteral("$(touch /tmp/pwned)"),
                                             QStringLiteral("; rm -rf ~"), QStringLiteral("`id`")}));
    EXPECT_EQ(entry(QStringLiteral("hostile.desktop"), QStringLiteral("fr"))->name, QStringLiteral("Line\nBreak"));
}

TEST(ApplicationEntryTest, OnlyApplicationsThatAreNotDeletedCount)
{
    for (const char* file : {"hidden.desktop", "link.desktop", "garbage.desktop"})
        EXPECT_FALSE(entry(QString::fromLatin1(file))) << file;
    EXPECT_FALSE(ApplicationEntry::parse("[Desktop Entry]\nType=Application\nExec=/bin/x\n", {}));
    EXPECT_FALSE(ApplicationEntry::parse("[Desktop Entry]\nType=Application\nName=   \n", {}));
    // A helper entry still names its application; it is only not shown in menus.
    EXPECT_TRUE(entry(QStringLiteral("editor-helper.desktop")).value().noDisplay);
    // An open quote in Exec leaves the entry without a command.
    EXPECT_EQ(entry(QStringLiteral("broken.desktop")).value().name, QStringLiteral("Broken quoting"));
    EXPECT_TRUE(entry(QStringLiteral("broken.desktop")).value().command.isEmpty());
}
