#include "platform/loginitems/DesktopEntry.h"
#include "platform/loginitems/ExecLine.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DesktopEntryTest, ReadsOnlyTheDesktopEntryGroup)
{
    const QByteArray text = "# comment\r\n"
                            "[Other]\nName=Wrong\n"
                            "[Desktop Entry]\r\n"
                            "Name = Spaced Out\r\n"
                            "Name=Second value is ignored\n"
                            "Name[de]=Deutsch\n"
                            "Exec=prog\\sarg\\\\x\n"
                            "novalue\n"
                            "=nokey\n"
                            "[Desktop Action new]\nExec=other\n"
                            "[Desktop Entry]\nHidden=true\n";
    const std::optional<DesktopEntry> entry = DesktopEntry::parse(text);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->value(QStringLiteral("Name")), QStringLiteral("Spaced Out"));
    EXPECT_EQ(entry->value(QStringLiteral("Name[de]")), QStringLiteral("Deutsch"));
    EXPECT_EQ(entry->value(QStringLiteral("Exec")), QStringLiteral("prog arg\\x"));
    // Later groups, repeated or not, never override the entry.
    EXPECT_FALSE(entry->contains(QStringLiteral("Hidden")));
    EXPECT_FALSE(entry->contains(QString()));
    EXPECT_FALSE(DesktopEntry::parse("Name=No group\n"));
    EXPECT_FALSE(DesktopEntry::parse(QByteArray()));
}

TEST(DesktopEntryTest, EscapedValuesComeBackExactly)
{
    const QString values[] = {
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("line\nbreak\r\nand\ttab"),
        QStringLiteral("back\\slash\\"),
        QStringLiteral("\\s is not a blank"),
        QStringLiteral("Ünïcödé 名前"),
        QStringLiteral("Exec=evil\n[Desktop Entry]\nExec=evil"),
    };
    for (const QString& value : values) {
        const QByteArray file = DesktopEntry::format({{QStringLiteral("Name"), value}});
        // One line for the group, one for the key: nothing in a value starts a line of its own.
        EXPECT_EQ(file.count('\n'), 2) << file.constData();
        const std::optional<DesktopEntry> entry = DesktopEntry::parse(file);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->value(QStringLiteral("Name")), value);
        EXPECT_FALSE(entry->contains(QStringLiteral("Exec")));
    }
}

TEST(ExecLineTest, ReadsLinesWrittenByOtherPrograms)
{
    using List = QStringList;
    EXPECT_EQ(ExecLine::split(QStringLiteral("prog --flag %U")), List({"prog", "--flag"}));
    EXPECT_EQ(ExecLine::split(QStringLiteral("\"/opt/my app/run\" -x \"a \\\"b\\\" \\$c \\\\d\"")),
              List({"/opt/my app/run", "-x", "a \"b\" $c \\d"}));
    EXPECT_EQ(ExecLine::split(QStringLiteral("sh -c 'echo $HOME; %f'")), List({"sh", "-c", "echo $HOME; %f"}));
    EXPECT_EQ(ExecLine::split(QStringLiteral("  prog\t100%% %")), List({"prog", "100%", "%"}));
    EXPECT_EQ(ExecLine::split(QStringLiteral("with\\ blank \"\"")), List({"with blank", ""}));
    EXPECT_EQ(ExecLine::split(QString()), List());
    EXPECT_FALSE(ExecLine::split(QStringLiteral("\"open quote")));
    EXPECT_FALSE(ExecLine::split(QStringLiteral("'open quote")));
}
