#include "KeyCharacters.h"

#include "Event.h"

namespace platform::ui {

namespace {

bool isLetterKey(int qtKey)
{
    return qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z;
}

// The Mac's character for a key that types none; 0 when it has none.
char16_t functionCharacter(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace: return NSDeleteCharacter;
    case Qt::Key_Delete: return NSDeleteFunctionKey;
    case Qt::Key_Left: return NSLeftArrowFunctionKey;
    case Qt::Key_Right: return NSRightArrowFunctionKey;
    case Qt::Key_Up: return NSUpArrowFunctionKey;
    case Qt::Key_Down: return NSDownArrowFunctionKey;
    case Qt::Key_Home: return NSHomeFunctionKey;
    case Qt::Key_End: return NSEndFunctionKey;
    case Qt::Key_Return:
    case Qt::Key_Enter: return NSCarriageReturnCharacter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return NSTabCharacter;
    case Qt::Key_Escape: return NSEscapeCharacter;
    default: return 0;
    }
}

bool printable(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

} // namespace

bool capsLockFromText(int qtKey, const QString& text, bool shift)
{
    if (!isLetterKey(qtKey) || text.size() != 1 || !text.at(0).isLetter())
        return false;
    return text.at(0).isUpper() != shift;
}

KeyCharacters keyCharactersFor(int qtKey, const QString& text, bool shift, bool capsLock)
{
    if (const char16_t function = functionCharacter(qtKey)) {
        const QString character{QChar(function)};
        return {character, character};
    }
    if (isLetterKey(qtKey)) {
        const QChar letter(u'a' + (qtKey - Qt::Key_A));
        const QString ignoring = shift ? QString(letter.toUpper()) : QString(letter);
        const QString typed = shift != capsLock ? QString(letter.toUpper()) : QString(letter);
        return {printable(text) ? text : typed, ignoring};
    }
    if (printable(text))
        return {text, text};
    if (qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde) {
        const QString character{QChar(char16_t(qtKey))};
        return {character, character};
    }
    return {};
}

unsigned macModifierFlags(Qt::KeyboardModifiers modifiers, bool capsLock)
{
    unsigned flags = capsLock ? EventModifierFlagCapsLock : 0u;
    if (modifiers & Qt::ShiftModifier)
        flags |= EventModifierFlagShift;
    if (modifiers & Qt::ControlModifier)
        flags |= EventModifierFlagCommand;
    if (modifiers & Qt::MetaModifier)
        flags |= EventModifierFlagControl;
    if (modifiers & Qt::AltModifier)
        flags |= EventModifierFlagOption;
    return flags;
}

} // namespace platform::ui
