#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The command line of a desktop entry's Exec key (after the key file's own escapes are undone):
// arguments separated by blanks; an argument may be quoted in double quotes, inside which a
// backslash escapes a double quote, backquote, dollar sign or backslash; "%%" is a literal
// percent sign. Field codes such as %U are dropped when read.
class ExecLine {
public:
    // Every argument quoted, so that blanks, quotes, "$", backquotes and newlines in a path stay
    // inside its one argument and nothing in it is read as a field code.
    static QString quote(const QStringList& arguments);
    // The arguments of a line; nothing when a quote is left open. Single quotes and backslashes
    // outside quotes are read as a shell would, for entries written by other programs.
    static std::optional<QStringList> split(const QString& line);
    // The words as GLib reads them to decide whether it can start the entry at all: quotes
    // undone, "%" left as written.
    static std::optional<QStringList> splitUnexpanded(const QString& line);

private:
    static std::optional<QStringList> split(const QString& line, bool expandPercent);
};

} // namespace platform
