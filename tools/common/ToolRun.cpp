#include "ToolRun.h"

#include "ToolSupport.h"

#include "platform/log/SystemLog.h"

#include <QFileInfo>

#include <cstdio>

namespace tools {

class ToolRun::HeldLog final : public platform::SystemLog {
public:
    void write(const QString& message) override { lines << message; }
    QStringList lines;
};

ToolRun::ToolRun(int argc, char** argv)
    : name_(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName())
    , arguments_(recordInvocation(argc, argv))
    , scope_(platform_)
{
    auto log = std::make_unique<HeldLog>();
    log_ = log.get();
    platform_.log = std::move(log);
}

ToolRun::~ToolRun()
{
    // After the answer, which stays whole on a shared pipe.
    std::fflush(stdout);
    for (const QString& line : std::as_const(log_->lines))
        printError(name_ + QStringLiteral(": ") + line);
}

int ToolRun::cannotRead(const QString& what)
{
    QString line = name_ + QStringLiteral(": could not read ") + what;
    if (!log_->lines.isEmpty())
        line += QStringLiteral(" (") + log_->lines.join(QStringLiteral("; ")) + QLatin1Char(')');
    log_->lines.clear();
    printError(line.replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return 1;
}

int ToolRun::cannotReadState(const QString& name)
{
    return cannotRead(QStringLiteral("the simulated Mac's %1.plist").arg(name));
}

} // namespace tools
