#pragma once

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "WorkspaceFakes.h"

#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/PropertyListSerialization.h"

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
        const QString path = base + "/Applications/" + name + ".app";
        QDir().mkpath(path + "/Contents/MacOS");
        platform->propertyLists->writeToFile(QVariantMap{{"CFBundleExecutable", "run"}}, path + "/Contents/Info.plist");
        makeFile(path + "/Contents/MacOS/run", "#!/bin/sh\n");
        return path;
    }
    static QString makeFile(const QString& path, const QByteArray& contents = "x")
    {
        QDir().mkpath(QFileInfo(path).path());
        test::writeFile(path, contents);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }
    // An entry as another program writes one.
    void writeEntry(const QString& folder, const QString& name, const QString& exec)
    {
        makeFile(folder + '/' + name, "[Desktop Entry]\nType=Application\nExec=" + exec.toUtf8() + "\n");
    }
    test::ManualDispatcher& dispatcher() { return platform.dispatcher(); }

    QString base = test::makeTemporaryFolder("startup");
    QString autostart = base + "/autostart";
    QString systemFolder = base + "/etc/xdg/autostart";
    test::FakeWorkspace* workspace = nullptr;
    platform::XdgLoginItemList* list_ = nullptr;
};
