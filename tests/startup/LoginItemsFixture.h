#pragma once

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "TestFiles.h"
#include "WorkspaceFakes.h"

#include "platform/loginitems/XdgLoginItemList.h"

#include <QDir>
#include <QFile>

// A platform whose login items are an autostart folder of the test's own (and one system-wide
// folder), with applications and files made on request.
class LoginItemsFixture : public test::PlatformTest {
protected:
    LoginItemsFixture()
    {
        workspace = test::install<test::FakeWorkspace>(platform->workspace);
        auto list = std::make_unique<platform::XdgLoginItemList>(autostart, QStringList{systemFolder},
                                                                 *platform->propertyLists);
        list_ = list.get();
        platform->loginItems = std::move(list);
    }

    // An application bundle with its executable.
    QString makeBundle(const QString& name)
    {
        return test::makeBundle(base + "/Applications/" + name + ".app", {{"CFBundleExecutable", "run"}});
    }
    // An entry as another program writes one.
    void writeEntry(const QString& folder, const QString& name, const QString& exec)
    {
        test::placeFile(folder + '/' + name, "[Desktop Entry]\nType=Application\nExec=" + exec.toUtf8() + "\n");
    }
    test::ManualDispatcher& dispatcher() { return platform.dispatcher(); }

    QString base = test::makeTemporaryFolder("startup");
    QString autostart = base + "/autostart";
    QString systemFolder = base + "/etc/xdg/autostart";
    test::FakeWorkspace* workspace = nullptr;
    platform::XdgLoginItemList* list_ = nullptr;
};
