// The process entry: the Qt application, the platform, then the application main function.
#include "MainMenu.h"
#include "MyNSApplication.h"

#include "LinuxPlatform.h"
#include "bundle/DirectoryBundle.h"
#include "process/TerminationSignals.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    // The program lives in the tray: hiding its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    MyNSApplication::sharedApplication(); // the principal class, before anything asks for NSApp

    auto platform = platform::makeLinuxPlatform(platform::DirectoryBundle::bundlePathOfExecutable());
    platform::ScopedPlatform installed(*platform);
    platform::quitOnTerminationSignals();
    return NSApplicationMain(argc, argv);
}
