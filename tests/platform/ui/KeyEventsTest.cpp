#include "UiTestSupport.h"

#include "platform/ui/Application.h"
#include "platform/ui/EditableText.h"
#include "platform/ui/Event.h"
#include "platform/ui/KeyCharacters.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextField.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

std::unique_ptr<Window> keyWindow()
{
    auto window = uitest::makeWindow(Rect(50, 50, 300, 100));
    window->makeKeyAndOrderFront();
    return window;
}

Event key(Window* window, const QString& characters, unsigned flags = 0, QString ignoring = {})
{
    if (ignoring.isNull())
        ignoring = characters;
    return Event::keyEventWithType(EventType::KeyDown, flags, window, characters, ignoring);
}

// Takes the keys it is given.
class Recorder : public View {
public:
    using View::View;
    bool acceptsFirstResponder() const override { return accepts; }
    bool resignFirstResponder() override { return letsGo; }
    void keyDown(const Event& event) override { typed << event.characters(); }
    bool accepts = true;
    bool letsGo = true;
    QStringList typed;
};

std::unique_ptr<TextField> editableField(Window& window, const QString& text = {})
{
    auto field = std::make_unique<TextField>(Rect(10, 10, 200, 24));
    field->setStringValue(text);
    window.contentView()->addSubview(*field);
    EXPECT_TRUE(window.makeFirstResponder(field.get()));
    return field;
}

} // namespace

TEST(KeyEventsTest, CharactersAsTheMacDescribesThem)
{
    const QString control{QChar(0x1a)}; // what Control+Z types
    const QString back{QChar(NSDeleteCharacter)};
    const QString left{QChar(NSLeftArrowFunctionKey)};
    const struct { int key; QString text; bool shift, capsLock; KeyCharacters expected; } cases[] = {
        {Qt::Key_Z, QStringLiteral("z"), false, false, {"z", "z"}},
        {Qt::Key_Z, QStringLiteral("Z"), true, false, {"Z", "Z"}},
        {Qt::Key_Z, QStringLiteral("Z"), false, true, {"Z", "z"}},
        {Qt::Key_Z, control, false, false, {"z", "z"}},
        {Qt::Key_Z, control, true, false, {"Z", "Z"}},
        {Qt::Key_Z, control, false, true, {"Z", "z"}},
        {Qt::Key_Z, control, true, true, {"z", "Z"}},
        {Qt::Key_Exclam, QStringLiteral("!"), true, false, {"!", "!"}},
        {Qt::Key_1, QString(), false, false, {"1", "1"}},
        {Qt::Key_Eacute, QStringLiteral("é"), false, false, {"é", "é"}},
        {Qt::Key_Backspace, QStringLiteral("\b"), false, false, {back, back}},
        {Qt::Key_Left, QString(), true, false, {left, left}},
        {Qt::Key_F1, QString(), false, false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(keyCharactersFor(c.key, c.text, c.shift, c.capsLock), c.expected) << c.key;
    EXPECT_TRUE(capsLockFromText(Qt::Key_Z, QStringLiteral("Z"), false));
    EXPECT_TRUE(capsLockFromText(Qt::Key_Z, QStringLiteral("z"), true));
    EXPECT_FALSE(capsLockFromText(Qt::Key_Z, QStringLiteral("z"), false));
    EXPECT_FALSE(capsLockFromText(Qt::Key_Z, control, false));
    EXPECT_FALSE(capsLockFromText(Qt::Key_1, QStringLiteral("1"), false));
    // Qt's Control is the Mac's Command, and Meta its Control.
    EXPECT_EQ(macModifierFlags(Qt::ControlModifier | Qt::ShiftModifier, true),
              unsigned(EventModifierFlagCommand | EventModifierFlagShift | EventModifierFlagCapsLock));
    EXPECT_EQ(macModifierFlags(Qt::MetaModifier | Qt::AltModifier, false),
              unsigned(EventModifierFlagControl | EventModifierFlagOption));
}

TEST(KeyEventsTest, FirstResponderTakesKeysAndGivesUpItsPartOnlyWhenItAgrees)
{
    auto window = keyWindow();
    auto first = std::make_unique<Recorder>(Rect(0, 0, 10, 10));
    auto second = std::make_unique<Recorder>(Rect(0, 0, 10, 10));
    window->contentView()->addSubview(*first);
    window->contentView()->addSubview(*second);
    EXPECT_EQ(window->firstResponder(), window.get());
    second->accepts = false;
    EXPECT_FALSE(window->makeFirstResponder(second.get()));
    EXPECT_TRUE(window->makeFirstResponder(first.get()));
    first->letsGo = false;
    second->accepts = true;
    EXPECT_FALSE(window->makeFirstResponder(second.get()));
    EXPECT_EQ(window->firstResponder(), first.get());
    NSApp().sendEvent(key(window.get(), QStringLiteral("q")));
    NSApp().sendEvent(Event::keyEventWithType(EventType::KeyUp, 0, window.get(), QStringLiteral("u"), {}));
    EXPECT_EQ(first->typed, QStringList{QStringLiteral("q")});
    // A first responder that goes leaves the part to the window.
    first.reset();
    EXPECT_EQ(window->firstResponder(), window.get());
    NSApp().sendEvent(key(window.get(), QStringLiteral("r"))); // nobody takes it; nothing fails
}

TEST(KeyEventsTest, AFieldTakesTypingAndLeavesShortcutsAlone)
{
    auto window = keyWindow();
    auto field = editableField(*window, QStringLiteral("ab"));
    const QString back{QChar(NSDeleteCharacter)};
    const QString left{QChar(NSLeftArrowFunctionKey)};
    for (const Event& e : {key(window.get(), QStringLiteral("c")), key(window.get(), back),
                           key(window.get(), QStringLiteral("Z"), EventModifierFlagShift),
                           key(window.get(), left), key(window.get(), QStringLiteral("é")),
                           key(window.get(), QStringLiteral("z"), EventModifierFlagCommand),
                           key(window.get(), QString(QChar(NSUpArrowFunctionKey))),
                           key(window.get(), QString(QChar(NSCarriageReturnCharacter)))})
        NSApp().sendEvent(e);
    EXPECT_EQ(field->stringValue(), QStringLiteral("abéZ"));
    // A field that cannot be edited takes no typing, and neither does one that is not first.
    field->setEditable(false);
    NSApp().sendEvent(key(window.get(), QStringLiteral("x")));
    EXPECT_EQ(field->stringValue(), QStringLiteral("abéZ"));
    field->setEditable(true);
    window->makeFirstResponder(nullptr);
    NSApp().sendEvent(key(window.get(), QStringLiteral("x")));
    EXPECT_EQ(field->stringValue(), QStringLiteral("abéZ"));
}

TEST(KeyEventsTest, PastedLinesBecomeOneAndASelectableFieldOnlyCopies)
{
    auto window = keyWindow();
    auto field = editableField(*window, QStringLiteral("hello"));
    Pasteboard::generalPasteboard().setString(QStringLiteral("one\r\ntwo\nthree"));
    EXPECT_TRUE(NSApp().sendAction(EditingAction::SelectAll));
    EXPECT_TRUE(NSApp().sendAction(EditingAction::Paste));
    EXPECT_EQ(field->stringValue(), QStringLiteral("one two three"));
    field->setEditable(false);
    Pasteboard::generalPasteboard().setString(QString());
    EXPECT_TRUE(NSApp().sendAction(EditingAction::SelectAll));
    EXPECT_TRUE(NSApp().sendAction(EditingAction::Copy));
    EXPECT_EQ(Pasteboard::generalPasteboard().stringForType(), QStringLiteral("one two three"));
    for (EditingAction action : {EditingAction::Cut, EditingAction::Paste, EditingAction::Undo})
        EXPECT_FALSE(NSApp().sendAction(action)) << int(action);
    EXPECT_EQ(field->stringValue(), QStringLiteral("one two three"));
}

TEST(KeyEventsTest, TypingInARowIsOneChangeToUndo)
{
    EditableText text(QStringLiteral("ab"));
    text.insertText(QStringLiteral("c"));
    text.insertText(QStringLiteral("d"));
    text.moveLeft(); // ends the row
    text.insertText(QStringLiteral("x"));
    EXPECT_EQ(text.text(), QStringLiteral("abcxd"));
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.text(), QStringLiteral("abcd"));
    ASSERT_TRUE(text.undo());
    EXPECT_EQ(text.text(), QStringLiteral("ab"));
    EXPECT_FALSE(text.undo());
    ASSERT_TRUE(text.redo());
    EXPECT_EQ(text.text(), QStringLiteral("abcd"));
    text.insertText(QStringLiteral("!")); // a new change forgets what could be redone
    EXPECT_FALSE(text.redo());
    // Edits that change nothing leave nothing to undo.
    EditableText empty;
    empty.deleteBackward();
    empty.deleteForward();
    empty.replaceSelection(QString());
    empty.insertText(QString());
    EXPECT_FALSE(empty.undo());
}
