// The process entry: the platform, then the application's event loop.
#include "LinuxPlatform.h"
#include "bundle/DirectoryBundle.h"
#include "log/SystemLog.h"
#include "process/TerminationSignals.h"

#include "PublicUtilities.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    auto platform = platform::makeLinuxPlatform(platform::DirectoryBundle::bundlePathOfExecutable());
    platform::ScopedPlatform installed(*platform);
    platform::quitOnTerminationSignals();

    if (PublicUtilities::getRegularFontName().isNull())
        platform::NSLog(QStringLiteral("The settings store could not be read"));
    return app.exec();
}
