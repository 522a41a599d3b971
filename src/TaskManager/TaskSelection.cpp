#include "TaskSelection.h"

#include <QRegularExpression>

#include <limits>

using namespace platform::ui;

namespace TaskSelection {

QString displayName(const QString& name)
{
    return QString(name).remove(QStringLiteral(".app"));
}

uint32_t selectedCount(const std::vector<TaskManagerInfo>& rows)
{
    uint32_t count = 0;
    for (const TaskManagerInfo& row : rows)
        count += row.bIsSelected ? 1 : 0;
    return count;
}

QString selectionText(uint32_t selected, std::size_t total)
{
    return QStringLiteral("Selected: %1 / %2 Tasks").arg(selected).arg(total);
}

TextRange selectedCountRange(const QString& text, uint32_t selected)
{
    const QString digits = QString::number(selected);
    const qsizetype at = text.indexOf(digits);
    return at < 0 ? TextRange{} : TextRange{at, digits.size()};
}

AttributedString selectionLabelText(uint32_t selected, std::size_t total, const Font& labelFont,
                                    const Font& boldFont)
{
    AttributedString label(selectionText(selected, total));
    label.addFont(labelFont, {0, label.length()});
    label.addFont(boldFont, selectedCountRange(label.string(), selected));
    return label;
}

std::optional<int32_t> processIdentifier(const QString& text)
{
    // Digits only: no sign, blank or base prefix slips through to the kernel.
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const qlonglong pid = text.toLongLong();
    if (pid < 2 || pid > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(pid);
}

std::vector<TaskManagerInfo> takeSelected(std::vector<TaskManagerInfo>& rows)
{
    std::vector<TaskManagerInfo> selected;
    std::vector<TaskManagerInfo> kept;
    for (TaskManagerInfo& row : rows)
        (row.bIsSelected ? selected : kept).push_back(std::move(row));
    rows = std::move(kept);
    return selected;
}

QString processUsage(const QByteArray& psOutput)
{
    QString text = QString::fromUtf8(psOutput);
    text.remove(QStringLiteral("PID  %CPU   TT  STAT      TIME COMMAND"));
    static const QRegularExpression separators(QStringLiteral("[\\s\\n]+"));
    const QStringList words = text.split(separators, Qt::SkipEmptyParts);
    return words.size() < 2 ? QStringLiteral("unknown") : words[1];
}

} // namespace TaskSelection
