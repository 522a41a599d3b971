#include "MyNSApplication.h"

#include "TestPlatform.h"

#include "platform/ui/Event.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform::ui;

namespace {

constexpr unsigned kCommand = EventModifierFlagCommand;
constexpr unsigned kShift = EventModifierFlagShift;
constexpr unsigned kCapsLock = EventModifierFlagCapsLock;

// Takes every key that reaches it.
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
        window_->contentView()->addSubview(*field_);
        window_->makeKeyAndOrderFront();
        window_->makeFirstResponder(field_.get());
    }

    // A key-down as the desktop gives it: the characters with and without the modifiers but Shift.
    void press(const QString& ignoring, unsigned flags, QString typed = {})
    {
        if (typed.isNull())
            typed = ignoring;
        application_.sendEvent(Event::keyEventWithType(EventType::KeyDown, flags, window_.get(), typed, ignoring));
    }
    void type(const QString& text)
    {
        for (const QChar c : text)
            press(QString(c), c.isUpper() ? kShift : 0);
    }

    test::TestPlatform platform_;
    MyNSApplication& application_ = *MyNSApplication::sharedApplication();
    std::unique_ptr<Window> window_ =
        std::make_unique<Window>(Rect(40, 40, 300, 80), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    std::unique_ptr<TextField> field_ = std::make_unique<TextField>(Rect(10, 10, 200, 24));
};

} // namespace

TEST_F(EditingShortcutsTest, CommandZUndoesAndCommandShiftZRedoesAlsoWithCapsLock)
{
    type(QStringLiteral("ab"));
    press(QStringLiteral("z"), kCommand);
    EXPECT_EQ(field_->stringValue(), QString());
    press(QStringLiteral("Z"), kCommand | kShift);
    EXPECT_EQ(field_->stringValue(), QStringLiteral("ab"));

    type(QStringLiteral("c"));
    press(QStringLiteral("Z"), kCommand | kCapsLock); // Caps Lock may give the capital
    EXPECT_EQ(field_->stringValue(), QStringLiteral("ab"));
    press(QStringLiteral("Z"), kCommand | kShift | kCapsLock);
    EXPECT_EQ(field_->stringValue(), QStringLiteral("abc"));
    press(QStringLiteral("z"), kCommand | kCapsLock);
    EXPECT_EQ(field_->stringValue(), QStringLiteral("ab"));
}

TEST_F(EditingShortcutsTest, CutCopyPasteAndSelectAll)
{
    type(QStringLiteral("hello"));
    press(QStringLiteral("a"), kCommand);
    press(QStringLiteral("c"), kCommand);
    EXPECT_EQ(Pasteboard::generalPasteboard().stringForType(), QStringLiteral("hello"));
    press(QStringLiteral("x"), kCommand);
    EXPECT_EQ(field_->stringValue(), QString());
    press(QStringLiteral("v"), kCommand);
    press(QStringLiteral("v"), kCommand);
    EXPECT_EQ(field_->stringValue(), QStringLiteral("hellohello"));
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
    EXPECT_EQ(field_->stringValue(), QStringLiteral("abZZ"));

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
    window_->contentView()->addSubview(catcher);
    ASSERT_TRUE(window_->makeFirstResponder(&catcher));
    press(QStringLiteral("z"), kCommand);
    press(QStringLiteral("Z"), kCommand | kShift);
    EXPECT_EQ(catcher.keys, (QStringList{QStringLiteral("z"), QStringLiteral("Z")}));
}
