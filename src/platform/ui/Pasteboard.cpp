#include "Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform::ui {

Pasteboard& Pasteboard::generalPasteboard()
{
    static Pasteboard pasteboard;
    return pasteboard;
}

QString Pasteboard::stringForType() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

void Pasteboard::setString(const QString& string)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(string);
}

} // namespace platform::ui
