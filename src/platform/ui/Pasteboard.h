#pragma once

#include <QString>

namespace platform::ui {

// The desktop's clipboard, for text.
class Pasteboard {
public:
    static Pasteboard& generalPasteboard();

    // The text on the clipboard; empty when it holds none.
    QString stringForType() const;
    void setString(const QString& string);
};

} // namespace platform::ui
