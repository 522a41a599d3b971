#include "QtApplicationHost.h"

#include <QApplication>

namespace platform::ui {

QtApplicationHost::QtApplicationHost(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv))
{
    QApplication::setQuitOnLastWindowClosed(false);
}

QtApplicationHost::~QtApplicationHost() = default;

} // namespace platform::ui
