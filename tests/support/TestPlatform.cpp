#include "TestPlatform.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"

#include "platform/LinuxPlatform.h"

#include <QDir>
#include <QFile>

namespace test {

TestPlatform::TestPlatform()
    : folder_(makeTemporaryFolder(QStringLiteral("platform")))
{
    const QString built = QStringLiteral(TAVRIN_BUILD_BUNDLE);
    const QString contents = bundlePath() + QStringLiteral("/Contents");
    QDir().mkpath(contents + QStringLiteral("/Resources"));
    QFile::copy(built + QStringLiteral("/Contents/Info.plist"), contents + QStringLiteral("/Info.plist"));
    QFile::link(built + QStringLiteral("/Contents/Helpers"), contents + QStringLiteral("/Helpers"));
    const QDir resources(built + QStringLiteral("/Contents/Resources"));
    for (const QString& entry : resources.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString from = resources.filePath(entry);
        const QString to = contents + QStringLiteral("/Resources/") + entry;
        // Property lists are rewritten in place by the program: each test gets its own.
        if (entry.endsWith(QLatin1String(".plist")))
            QFile::copy(from, to);
        else
            QFile::link(from, to);
        QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner);
    }

    // The stand-in tools find the simulated Mac the same way the program does.
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder_ + QStringLiteral("/data")));
    qputenv("TAVRIN_ROOT", QFile::encodeName(folder_ + QStringLiteral("/root")));
    platform_ = platform::makeLinuxPlatform(bundlePath());
    auto log = std::make_unique<RecordingLog>();
    log_ = log.get();
    platform_->log = std::move(log);
    auto dispatcher = std::make_unique<ManualDispatcher>();
    dispatcher_ = dispatcher.get();
    platform_->dispatcher = std::move(dispatcher);
    scope_ = std::make_unique<platform::ScopedPlatform>(*platform_);
}

TestPlatform::~TestPlatform() = default;

QString TestPlatform::bundlePath() const
{
    return folder_ + QStringLiteral("/bundle/Tavrin.app");
}

QString TestPlatform::resourcePath(const QString& fileName) const
{
    return bundlePath() + QStringLiteral("/Contents/Resources/") + fileName;
}

} // namespace test
