#include "DiskIdentifier.h"

#include "utilities/CommandOutput.h"

#include <QRegularExpression>

bool isDeviceIdentifier(const QString& identifier)
{
    // Anchored over the whole text: "$" alone would also take a trailing newline.
    static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("disk[0-9]+(s[0-9]+)*")));
    return form.match(identifier).hasMatch();
}

bool diskLineFits(const QByteArray& line, std::size_t bufferSize)
{
    return CommandOutput::fits(line, bufferSize);
}
