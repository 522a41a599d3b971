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
    QString exec;           // the Exec line as written (its value escapes undone)
    QString tryExec;
    QString startupWMClass;
    QString workingDirectory; // Path
    bool noDisplay = false;
    bool terminal = false;  // runs in a terminal emulator
    // The session shows it: OnlyShowIn and NotShowIn allow the current desktops, and its TryExec
    // and Exec programs are found (as when it was read).
    bool shownHere = false;

    bool operator==(const ApplicationEntry&) const = default;

    // The entry of an application (Type=Application with a name), or nothing for any other
    // entry, for a hidden (deleted) one and for text that is no desktop entry. `locale` is the
    // messages locale, such as "de_DE.UTF-8@euro", or several, best first, separated by ":".
    static std::optional<ApplicationEntry> parse(const QByteArray& text, const QString& locale);

    // The arguments that open the application, as launchers start it: the Exec line with %c
    // the name, %i "--icon" and the icon (when there is one), %k the entry's file, %% a percent
    // sign; file and address codes, with no file given, and the deprecated ones are dropped.
    // Nothing when the line is unusable.
    std::optional<QStringList> launchArguments() const;

    // The user's message languages as gettext orders them: LANGUAGE (a ":" list) when the
    // locale is not C, else the first of LC_ALL, LC_MESSAGES and LANG; joined by ":".
    static QString messagesLocale();
    // The localised keys to try for `key`, best first: for each locale "Name[de_DE@euro]",
    // "Name[de_DE]", "Name[de@euro]", "Name[de]"; then "Name".
    static QStringList localizedKeys(const QString& key, const QString& locale);
};

} // namespace platform
