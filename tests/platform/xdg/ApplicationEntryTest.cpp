#include "platform/xdg/ApplicationEntry.h"

#include "IsolatedEnvironment.h"

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;
using platform::ApplicationEntry;

namespace {

std::optional<ApplicationEntry> entry(const char* name, const QString& locale = u"C"_s)
{
    return ApplicationEntry::parse(test::readFile(test::fixturePath(u"workspace/applications/"_s + QString::fromLatin1(name))),
                                   locale);
}

} // namespace

TEST(ApplicationEntryTest, ExecIsSplitIntoArgumentsWithItsQuotingUndone)
{
    const auto editor = entry("editor.desktop");
    ASSERT_TRUE(editor);
    // The file's \\" is an escaped backslash first, then a quote inside the quoted argument;
    // the field code %F is dropped.
    EXPECT_EQ(editor->command, (QStringList{u"/opt/My Editor/bin/my-editor"_s, u"--open"_s, u"say \"hi\""_s}));
    EXPECT_EQ(std::tuple(editor->name, editor->tryExec, editor->icon),
              std::tuple(u"My Editor"_s, u"/opt/My Editor/bin/my-editor"_s, u"accessories-text-editor.png"_s));
    // Names stay plain text; the hostile entry's command is checked where it is launched.
    EXPECT_EQ(entry("hostile.desktop")->name, u"Evil \"quoted\" $(touch /tmp/pwned) `id`; rm -rf ~"_s);
    EXPECT_EQ(entry("hostile.desktop", u"fr"_s)->name, u"Line\nBreak"_s);
}

TEST(ApplicationEntryTest, TheNameFollowsTheUsersLanguage)
{
    const std::pair<const char*, QString> cases[] = {
        {"de_DE.UTF-8", u"Mein Editor"_s}, {"de_CH.UTF-8@euro", u"Üse Editor"_s}, {"ja_JP.UTF-8", u"エディター"_s},
        {"fr_FR", u"My Editor"_s},         {"", u"My Editor"_s},           {"fr:ja_JP:de", u"エディター"_s},
    };
    for (const auto& [locale, name] : cases)
        EXPECT_EQ(entry("editor.desktop", QString::fromLatin1(locale))->name, name) << locale;
}

TEST(ApplicationEntryTest, OnlyApplicationsThatAreNotDeletedCount)
{
    for (const char* file : {"hidden.desktop", "link.desktop", "garbage.desktop"})
        EXPECT_FALSE(entry(file)) << file;
    EXPECT_FALSE(ApplicationEntry::parse("[Desktop Entry]\nType=Application\nExec=/bin/x\n", {}));
    EXPECT_FALSE(ApplicationEntry::parse("[Desktop Entry]\nType=Application\nName=   \n", {}));
    // A helper entry still names its application; it is only not shown in menus.
    EXPECT_TRUE(entry("editor-helper.desktop").value().noDisplay);
    // An open quote in Exec leaves the entry without a command.
    EXPECT_EQ(entry("broken.desktop").value().name, u"Broken quoting"_s);
    EXPECT_TRUE(entry("broken.desktop").value().command.isEmpty());
}

TEST(ApplicationEntryTest, MessageLanguagesInGettextsOrder)
{
    // LC_ALL, LC_MESSAGES, LANG, LANGUAGE -> the languages
    const std::pair<std::array<const char*, 4>, const char*> cases[] = {
        {{"", "", "de_DE.UTF-8", "fr:ja"}, "fr:ja"}, {{"", "", "C.UTF-8", "fr"}, "C.UTF-8"}, {{"", "", "", "fr"}, ""},
        {{"es_ES", "pt_BR", "de_DE", ""}, "es_ES"},
    };
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
    for (const auto& [values, expected] : cases) {
        for (int i = 0; i < 4; ++i)
            qputenv(names[i], values[i]);
        EXPECT_EQ(ApplicationEntry::messagesLocale(), QString::fromLatin1(expected)) << expected;
    }
    for (const char* name : names)
        qunsetenv(name);
}

TEST(ApplicationEntryTest, LaunchArgumentsExpandTheFieldCodes)
{
    ApplicationEntry e;
    e.name = u"Mon \"Éditeur\""_s;
    e.path = u"/apps/ed.desktop"_s;
    const std::pair<QString, std::optional<QStringList>> cases[] = {
        {u"ed %f --name=%c %i %k"_s, QStringList{u"ed"_s, u"--name=Mon \"Éditeur\""_s, u"/apps/ed.desktop"_s}},
        {u"ed %U \"%%d\" %d '' \"$(x)\""_s, QStringList{u"ed"_s, u"%d"_s, QString(), u"$(x)"_s}},
        {u"%f ed"_s, QStringList{u"ed"_s}},
        {u"ed \"open"_s, std::nullopt},
        {u"%U"_s, std::nullopt},
    };
    for (const auto& [exec, expected] : cases) {
        e.exec = exec;
        EXPECT_EQ(e.launchArguments(), expected) << exec.toStdString();
    }
}
