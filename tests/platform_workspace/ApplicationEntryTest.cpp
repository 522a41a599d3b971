#include "workspace/ApplicationEntry.h"

#include "IsolatedEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

using platform::ApplicationEntry;

namespace {

std::optional<ApplicationEntry> entry(const QString& name, const QString& locale = QStringLiteral("C"))
{
    QFile file(test::fixturePath(QStringLiteral("workspace/applications/") + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return ApplicationEntry::parse(file.readAll(), locale);
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
    EXPECT_FALSE(editor->noDisplay);
}

TEST(ApplicationEntryTest, TheNameFollowsTheUsersLanguage)
{
    EXPECT_EQ(entry(QStringLiteral("editor.desktop"), QStringLiteral("de_DE.UTF-8"))->name, QStringLiteral("Mein Editor"));
    EXPECT_EQ(entry(QStringLiteral("editor.desktop"), QStringLiteral("de_CH.UTF-8@euro"))->name, QStringLiteral("Üse Editor"));
    EXPECT_EQ(entry(QStringLiteral("editor.desktop"), QStringLiteral("ja_JP.UTF-8"))->name, QStringLiteral("エディター"));
    EXPECT_EQ(entry(QStringLiteral("editor.desktop"), QStringLiteral("fr_FR"))->name, QStringLiteral("My Editor"));
    EXPECT_EQ(entry(QStringLiteral("editor.desktop"), QString())->name, QStringLiteral("My Editor"));

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
    EXPECT_FALSE(entry(QStringLiteral("hidden.desktop")));
    EXPECT_FALSE(entry(QStringLiteral("link.desktop")));
    EXPECT_FALSE(entry(QStringLiteral("garbage.desktop")));
    EXPECT_FALSE(ApplicationEntry::parse("[Desktop Entry]\nType=Application\nExec=/bin/x\n", {}));
    EXPECT_FALSE(ApplicationEntry::parse("[Desktop Entry]\nType=Application\nName=   \n", {}));
    // A helper entry still names its application; it is only not shown in menus.
    const auto helper = entry(QStringLiteral("editor-helper.desktop"));
    ASSERT_TRUE(helper);
    EXPECT_TRUE(helper->noDisplay);
}

TEST(ApplicationEntryTest, AnExecLineWithAnOpenQuoteGivesNoCommand)
{
    const auto broken = entry(QStringLiteral("broken.desktop"));
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->name, QStringLiteral("Broken quoting"));
    EXPECT_TRUE(broken->command.isEmpty());
}
