#include "ExecLine.h"

namespace platform {

QString ExecLine::quote(const QStringList& arguments)
{
    QStringList quoted;
    for (const QString& argument : arguments) {
        QString text = QStringLiteral("\"");
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
                || c == QLatin1Char('\\'))
                text += QLatin1Char('\\');
            if (c == QLatin1Char('%'))
                text += QLatin1Char('%');
            text += c;
        }
        quoted << text + QLatin1Char('"');
    }
    return quoted.join(QLatin1Char(' '));
}

std::optional<QStringList> ExecLine::split(const QString& line)
{
    return split(line, true);
}

std::optional<QStringList> ExecLine::splitUnexpanded(const QString& line)
{
    return split(line, false);
}

std::optional<QStringList> ExecLine::split(const QString& line, bool expandPercent)
{
    enum class Mode { Plain, Double, Single } mode = Mode::Plain;
    QStringList arguments;
    QString current;
    bool started = false;
    auto finish = [&] {
        if (started)
            arguments << current;
        current.clear();
        started = false;
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const QChar next = i + 1 < line.size() ? line[i + 1] : QChar();
        if (mode == Mode::Single) {
            if (c == QLatin1Char('\''))
                mode = Mode::Plain;
            else
                current += c;
            continue;
        }
        if (c == QLatin1Char('%') && expandPercent) {
            if (next == QLatin1Char('%')) {
                current += c;
                started = true;
                ++i;
            } else if (next.isLetter()) {
                ++i;  // a field code: no file is passed at login
            } else {
                current += c;
                started = true;
            }
            continue;
        }
        if (mode == Mode::Double) {
            if (c == QLatin1Char('"')) {
                mode = Mode::Plain;
            } else if (c == QLatin1Char('\\')
                       && (next == QLatin1Char('"') || next == QLatin1Char('`')
                           || next == QLatin1Char('$') || next == QLatin1Char('\\'))) {
                current += next;
                ++i;
            } else {
                current += c;
            }
            continue;
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            finish();
        } else if (c == QLatin1Char('"')) {
            mode = Mode::Double;
            started = true;
        } else if (c == QLatin1Char('\'')) {
            mode = Mode::Single;
            started = true;
        } else if (c == QLatin1Char('\\') && !next.isNull()) {
            current += next;
            started = true;
            ++i;
        } else {
            current += c;
            started = true;
        }
    }
    if (mode != Mode::Plain)
        return std::nullopt;
    finish();
    return arguments;
}

} // namespace platform
