#include "BluetoothViewController.h"

#include "platform/Platform.h"
#include "platform/workspace/Workspace.h"

#include <QUrl>

BluetoothViewController::BluetoothViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

void BluetoothViewController::openSetView()
{
    platform::Platform::current().workspace->openURL(
        QUrl(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility")));
}
