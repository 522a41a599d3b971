#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// An application that a desktop entry describes, with what it takes to recognise its running
// processes. Nothing here is ever run through a shell.
struct ApplicationEntry {
    QString id;             // the desktop-file id, such as "org.example.Editor.desktop"
    QString path;           // the entry's file
    QString name;           // in the user's language when the entry has it
    QString icon;           // a theme name or an absolute image path
    QStringList command;    // Exec as arguments, field codes dropped; empty when unusable
    QString tryExec;
    QString startupWMClass;
    bool noDisplay = false;
    bool terminal = false;  // runs in a terminal emulator

    bool operator==(const ApplicationEntry&) const = default;

    // The entry of an application (Type=Application with a name), or nothing for any other
    // entry, for a hidden (deleted) one and for text that is no desktop entry. `locale` is the
    // messages locale, such as "de_DE.UTF-8@euro".
    static std::optional<ApplicationEntry> parse(const QByteArray& text, const QString& locale);

    // The user's messages locale: LC_ALL, LC_MESSAGES, then LANG.
    static QString messagesLocale();
    // The localised keys to try for `key`, best first: "Name[de_DE@euro]", "Name[de_DE]",
    // "Name[de@euro]", "Name[de]", "Name".
    static QStringList localizedKeys(const QString& key, const QString& locale);
};

} // namespace platform
