#include "ToolSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace tools {

QStringList recordInvocation(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromUtf8(argv[i]);
    const QString logPath = qEnvironmentVariable("TAVRIN_TOOL_LOG");
    if (!logPath.isEmpty()) {
        QJsonArray call{QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()};
        for (const QString& argument : arguments)
            call.append(argument);
        QFile log(logPath);
        if (log.open(QIODevice::Append))
            log.write(QJsonDocument(call).toJson(QJsonDocument::Compact) + '\n');
    }
    return arguments;
}

platform::SimulatedMac simulatedMac()
{
    const QString data = platform::SimulatedMac::defaultDataFolder();
    return platform::SimulatedMac(data, platform::SimulatedMac::defaultRoot(data));
}

QString bundleResource(const QString& relativePath)
{
    const QString program = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return QFileInfo(program).path() + QStringLiteral("/../Resources/") + relativePath;
}

void printOut(const QByteArray& text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
}

void printError(const QString& text)
{
    QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

} // namespace tools
