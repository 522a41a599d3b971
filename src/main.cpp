// The process entry: Qt's application object, the platform, then the application main function.
#include "MainMenu.h"
#include "MyNSApplication.h"

#include "LinuxPlatform.h"
#include "bundle/DirectoryBundle.h"
#include "platform/ui/QtApplicationHost.h"
#include "process/TerminationSignals.h"

int main(int argc, char** argv)
{
    platform::ui::QtApplicationHost qt(argc, argv);
    MyNSApplication::sharedApplication(); // the principal class, before anything asks for NSApp

    auto platform = platform::makeLinuxPlatform(platform::DirectoryBundle::bundlePathOfExecutable());
    platform::ScopedPlatform installed(*platform);
    platform::quitOnTerminationSignals();
    return NSApplicationMain(argc, argv);
}
