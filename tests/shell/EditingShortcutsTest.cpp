#include "shell/MyNSApplication.h"

#include "TestPlatform.h"

#include "platform/ui/Event.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

constexpr unsigned kCommand = EventModifierFlagCommand;
constexpr unsigned kShift = EventModifierFlagShift;
constexpr unsigned kCapsLock = EventModifierFlagCapsLock;

class KeyCatcher : public View {
public:
    using View::View;
    bool acceptsFirstResponder() const override { return true; }
    void keyDown(const Event& event) override { keys << event.charactersIgnoringModifiers(); }
    QStringList keys;
};

class EditingShortcutsTest : public testing::Test {
protected:
    EditingShortcutsTest()
    {
        window_.contentView()->addSubview(field_);
        window_.makeKeyAndOrderFront();
        window_.makeFirstResponder(&field_);
    }
    // A key-down as the desktop gives it: the characters with and without the modifiers but Shift.
    void press(const QString& ignoring, unsigned flags, QString typed = {})
    {
        application_.sendEvent(Event::keyEventWithType(EventType::KeyDown, flags, &window_,
                                                       typed.isNull() ? ignoring : typed, ignoring));
    }
    void type(const QString& text)
    {
        for (const QChar c : text)
            press(QString(c), c.isUpper() ? kShift : 0);
    }

    test::TestPlatform platform_;
    MyNSApplication& application_ = *MyNSApplication::sharedApplication();
    Window window_{Rect(40, 40, 300, 80), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    TextField field_{Rect(10, 10, 200, 24)};
};

} // namespace

TEST_F(EditingShortcutsTest, UndoRedoCutCopyPasteAndSelectAllAlsoWithCapsLock)
{
    type(QStringLiteral("ab"));
    const struct {
        const char* key;
        unsigned flags;
        const char* typed;   // before the key
        const char* after;
    } steps[] = {{"z", kCommand, "", ""},
                 {"Z", kCommand | kShift, "", "ab"},
                 {"Z", kCommand | kCapsLock, "c", "ab"}, // Caps Lock may give the capital
                 {"Z", kCommand | kShift | kCapsLock, "", "abc"},
                 {"z", kCommand | kCapsLock, "", "ab"},
                 {"a", kCommand, "", "ab"},
                 {"c", kCommand, "", "ab"},
                 {"x", kCommand, "", ""},
                 {"v", kCommand, "", "ab"},
                 {"v", kCommand, "", "abab"}};
    for (const auto& step : steps) {
        type(QString::fromLatin1(step.typed));
        press(QString::fromLatin1(step.key), step.flags);
        EXPECT_EQ(field_.stringValue(), QString::fromLatin1(step.after)) << step.key << " " << step.flags;
    }
    EXPECT_EQ(Pasteboard::generalPasteboard().stringForType(), QStringLiteral("ab"));
}

TEST_F(EditingShortcutsTest, OtherCombinationsAreNoShortcuts)
{
    type(QStringLiteral("ab"));
    // Command with another modifier, Shift-Z without the capital, and the Mac's Control key do not
    // undo; Shift-Z and Caps Lock type a capital.
    press(QStringLiteral("z"), kCommand | EventModifierFlagOption);
    press(QStringLiteral("z"), kCommand | kShift);
    press(QStringLiteral("z"), EventModifierFlagControl);
    press(QStringLiteral("Z"), kShift);
    press(QStringLiteral("z"), kCapsLock, QStringLiteral("Z"));
    EXPECT_EQ(field_.stringValue(), QStringLiteral("abZZ"));

    const auto shortcut = [](EventType type, unsigned flags, const QString& key) {
        return MyNSApplication::editingShortcut(Event::keyEventWithType(type, flags, nullptr, key, key));
    };
    EXPECT_EQ(shortcut(EventType::KeyUp, kCommand, QStringLiteral("z")), std::nullopt);
    EXPECT_EQ(shortcut(EventType::KeyDown, kCommand, QStringLiteral("q")), std::nullopt);
    // Flags below the device-independent ones do not count.
    EXPECT_EQ(shortcut(EventType::KeyDown, kCommand | 0xff, QStringLiteral("c")), EditingAction::Copy);
}

TEST_F(EditingShortcutsTest, AShortcutNobodyPerformsGoesOnAsAKeyPress)
{
    KeyCatcher catcher(Rect(0, 0, 10, 10));
    window_.contentView()->addSubview(catcher);
    ASSERT_TRUE(window_.makeFirstResponder(&catcher));
    press(QStringLiteral("z"), kCommand);
    press(QStringLiteral("Z"), kCommand | kShift);
    EXPECT_EQ(catcher.keys, (QStringList{QStringLiteral("z"), QStringLiteral("Z")}));
}
