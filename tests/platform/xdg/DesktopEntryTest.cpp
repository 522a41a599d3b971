#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/ExecLine.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DesktopEntryTest, ReadsOnlyTheDesktopEntryGroup)
{
    const QByteArray text = "# comment\r\n[Other]\nName=Wrong\n[Desktop Entry]\r\nName = Spaced Out\r\n"
                            "Name=Second value is ignored\nName[de]=Deutsch\nExec=prog\\sarg\\\\x\nnovalue\n=nokey\n"
                            "[Desktop Action new]\nExec=other\n[Desktop Entry]\nHidden=true\n";
    const std::optional<DesktopEntry> entry = DesktopEntry::parse(text);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->value("Name"), "Spaced Out");
    EXPECT_EQ(entry->value("Name[de]"), "Deutsch");
    EXPECT_EQ(entry->value("Exec"), "prog arg\\x");
    EXPECT_FALSE(entry->contains("Hidden")); // later groups, repeated or not, never override the entry
    EXPECT_FALSE(entry->contains(QString()));
    EXPECT_FALSE(DesktopEntry::parse("Name=No group\n"));
    EXPECT_FALSE(DesktopEntry::parse(QByteArray()));
}

TEST(DesktopEntryTest, EscapedValuesComeBackExactly)
{
    for (const QString value : {"  leading and trailing  ", "line\nbreak\r\nand\ttab", "back\\slash\\",
                                "\\s is not a blank", "Ünïcödé 名前", "Exec=evil\n[Desktop Entry]\nExec=evil"}) {
        const QByteArray file = DesktopEntry::format({{"Name", value}});
        // One line for the group, one for the key: nothing in a value starts a line of its own.
        EXPECT_EQ(file.count('\n'), 2) << file.constData();
        const std::optional<DesktopEntry> entry = DesktopEntry::parse(file);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->value("Name"), value);
        EXPECT_FALSE(entry->contains("Exec"));
    }
}

TEST(ExecLineTest, ReadsLinesWrittenByOtherPrograms)
{
    const std::pair<const char*, std::optional<QStringList>> cases[] = {
        {"prog --flag %U", QStringList{"prog", "--flag"}},
        {"\"/opt/my app/run\" -x \"a \\\"b\\\" \\$c \\\\d\"", QStringList{"/opt/my app/run", "-x", "a \"b\" $c \\d"}},
        {"sh -c 'echo $HOME; %f'", QStringList{"sh", "-c", "echo $HOME; %f"}},
        {"  prog\t100%% %", QStringList{"prog", "100%", "%"}}, {"with\\ blank \"\"", QStringList{"with blank", ""}},
        {"", QStringList{}}, {"\"open quote", std::nullopt}, {"'open quote", std::nullopt}};
    for (const auto& [line, words] : cases)
        EXPECT_EQ(ExecLine::split(line), words) << line;
}
