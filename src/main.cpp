// The process entry: Qt's application object, the platform, then the application main function.
#include "shell/MainMenu.h"
#include "shell/MyNSApplication.h"

#include "platform/LinuxPlatform.h"
#include "platform/bundle/DirectoryBundle.h"
#include "platform/ui/DesktopServices.h"
#include "platform/ui/DesktopShowing.h"
#include "platform/ui/QtApplicationHost.h"
#include "platform/process/FreedMemory.h"
#include "platform/process/TerminationSignals.h"

int main(int argc, char** argv)
{
    platform::holdTerminationSignals(); // before Qt starts a thread
    platform::limitAllocatorArenas();
    platform::ui::QtApplicationHost qt(argc, argv);
    MyNSApplication::sharedApplication(); // the principal class, before anything asks for NSApp

    auto platform = platform::makeLinuxPlatform(platform::DirectoryBundle::bundlePathOfExecutable(),
                                                 platform::ui::openUrlOnDesktop, platform::ui::showDesktopOnDesktop);
    platform::ScopedPlatform installed(*platform);
    platform::quitOnTerminationSignals();
    return NSApplicationMain(argc, argv);
}
