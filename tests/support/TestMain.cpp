// The main of every test executable: an isolated home, then the Qt application object.
#include "IsolatedEnvironment.h"
#include "MountNamespace.h"

#include <gmock/gmock.h>

#ifdef TAVRIN_UI_TESTS
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    test::enterMountNamespaceIfAsked();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    test::IsolatedEnvironment environment;
    Application app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
