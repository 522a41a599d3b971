#pragma once

#include <QString>
#include <Qt>

namespace platform::ui {

// What a key gave, as the Mac's key events describe it.
struct KeyCharacters {
    QString characters;                  // with the modifiers that type (Shift, Caps Lock)
    QString charactersIgnoringModifiers; // with Shift alone
    bool operator==(const KeyCharacters&) const = default;
};

// The characters of a Qt key press. `text` is what the desktop says the key typed (a control
// character while Control is held); letters follow Shift and Caps Lock; keys that type nothing
// give the Mac's function-key characters; a key the Mac has no character for gives none.
KeyCharacters keyCharactersFor(int qtKey, const QString& text, bool shift, bool capsLock);

// Whether Caps Lock was on for a letter key, judged from what it typed: an upper-case letter
// without Shift, or a lower-case one with it. Unknown (false) for other keys.
bool capsLockFromText(int qtKey, const QString& text, bool shift);

// The Mac's modifier flags for Qt's: on Linux the Control key plays the Command key's part.
unsigned macModifierFlags(Qt::KeyboardModifiers modifiers, bool capsLock);

} // namespace platform::ui
