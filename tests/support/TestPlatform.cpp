#include "TestPlatform.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"

#include "platform/LinuxPlatform.h"
#include "platform/mounts/MountWatch.h"

#include <QDir>
#include <QFile>

namespace test {

TestPlatform::TestPlatform() : folder_(makeTemporaryFolder(QStringLiteral("platform")))
{
    const QString built = QStringLiteral(TAVRIN_BUILD_BUNDLE "/Contents");
    const QString contents = bundlePath() + QStringLiteral("/Contents");
    QDir().mkpath(contents + QStringLiteral("/Resources"));
    QFile::copy(built + QStringLiteral("/Info.plist"), contents + QStringLiteral("/Info.plist"));
    QFile::link(built + QStringLiteral("/Helpers"), contents + QStringLiteral("/Helpers"));
    const QDir resources(built + QStringLiteral("/Resources"));
    for (const QString& entry : resources.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString to = resourcePath(entry);
        // The program rewrites property lists in place: each test gets its own.
        if (entry.endsWith(QLatin1String(".plist")))
            QFile::copy(resources.filePath(entry), to);
        else
            QFile::link(resources.filePath(entry), to);
        QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner);
    }

    // The stand-in tools find the simulated Mac the same way the program does.
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder_ + QStringLiteral("/data")));
    qputenv("TAVRIN_ROOT", QFile::encodeName(folder_ + QStringLiteral("/root")));
    platform_ = platform::makeLinuxPlatform(bundlePath());
    // The mount watch's thread reads the dispatcher: it stops while the fakes go in.
    platform_->mountWatch.reset();
    log_ = install<RecordingLog>(platform_->log);
    dispatcher_ = install<ManualDispatcher>(platform_->dispatcher);
    platform_->mountWatch = platform::makeLinuxMountWatch(*platform_);
    scope_ = std::make_unique<platform::ScopedPlatform>(*platform_);
}

TestPlatform::~TestPlatform() = default;

} // namespace test
