#include "platform/workspace/TerminalCommand.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace platform;

TEST(TerminalCommandTest, TheUsersTerminalFirstThenTheDebianChoiceThenACommonOne)
{
    const QStringList command{u"/usr/bin/htop"_s, u"$(rm -rf ~)"_s, u"a \"b\"\nc"_s};
    const struct {
        const char* what;
        QString variable;
        QStringList present, expected; // expected before the command; empty: none found
    } cases[] = {
        {"TERMINAL by name", u"kitty"_s, {u"kitty"_s, u"x-terminal-emulator"_s}, {u"/bin/kitty"_s}},
        {"TERMINAL that is missing", u"/opt/gone"_s, {u"x-terminal-emulator"_s}, {u"/bin/x-terminal-emulator"_s, u"-e"_s}},
        {"xdg-terminal-exec", {}, {u"xdg-terminal-exec"_s, u"xterm"_s}, {u"/bin/xdg-terminal-exec"_s}},
        {"GNOME's", u" "_s, {u"gnome-terminal"_s, u"xterm"_s}, {u"/bin/gnome-terminal"_s, u"--"_s}},
        {"Xfce's before xterm", {}, {u"xterm"_s, u"xfce4-terminal"_s}, {u"/bin/xfce4-terminal"_s, u"-x"_s}},
        {"none", u"kitty"_s, {}, {}},
    };
    for (const auto& c : cases) {
        const auto find = [&](const QString& name) { return c.present.contains(name) ? u"/bin/"_s + name : QString(); };
        const std::optional<QStringList> wrapped = TerminalCommand::wrap(command, c.variable, find);
        if (c.expected.isEmpty())
            EXPECT_FALSE(wrapped) << c.what;
        else
            EXPECT_EQ(wrapped, c.expected + command) << c.what;
    }
    EXPECT_FALSE(TerminalCommand::wrap({}, {}, [](const QString& name) { return name; }));
}
