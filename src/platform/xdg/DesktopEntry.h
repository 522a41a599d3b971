#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <optional>

namespace platform {

// The "[Desktop Entry]" group of a desktop-entry file: its keys and their values with the
// escapes (\s, \n, \t, \r, \\) undone. Localised keys keep their suffix ("Name[de]").
class DesktopEntry {
public:
    // Nothing when the text has no "[Desktop Entry]" group.
    static std::optional<DesktopEntry> parse(const QByteArray& text);
    // A file with one "[Desktop Entry]" group holding `entries` in order. Values are escaped so
    // that each stays on its own line and keeps its leading and trailing blanks.
    static QByteArray format(const QList<QPair<QString, QString>>& entries);

    static QString escapeValue(const QString& value);
    static QString unescapeValue(const QString& value);

    QString value(const QString& key) const { return values_.value(key); }
    bool contains(const QString& key) const { return values_.contains(key); }

private:
    QMap<QString, QString> values_;
};

} // namespace platform
