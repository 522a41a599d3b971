#include "DiskIdentifier.h"

#include "CommandOutput.h"

#include <QRegularExpression>

bool isDeviceIdentifier(const QString& identifier)
{
    static const QRegularExpression form(QStringLiteral("^disk[0-9]+(s[0-9]+)*$"));
    return form.match(identifier).hasMatch();
}

bool diskLineFits(const QByteArray& line, std::size_t bufferSize)
{
    return CommandOutput::fits(line, bufferSize);
}
