#pragma once

#include "platform/loginitems/XdgLoginItemList.h"
#include "platform/plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

// An autostart folder of its own and a place for applications, per test.
class LoginItemFixture : public testing::Test {
protected:
    LoginItemFixture()
        : base_(test::makeTemporaryFolder(QStringLiteral("login")))
        , folder_(base_ + QStringLiteral("/autostart"))
        , list_(folder_, plists_)
    {
    }

    // An application bundle whose Info.plist names `executable` (nothing when empty) and,
    // when `makeExecutable`, a file of that name in Contents/MacOS.
    QString makeBundle(const QString& name, const QString& executable, bool makeExecutable = true,
                       QVariantMap info = {})
    {
        const QString path = base_ + QStringLiteral("/Applications/") + name;
        QDir().mkpath(path + QStringLiteral("/Contents/MacOS"));
        info.insert(QStringLiteral("CFBundleIdentifier"), QStringLiteral("com.example.demo"));
        if (!executable.isEmpty())
            info.insert(QStringLiteral("CFBundleExecutable"), executable);
        plists_.writeToFile(info, path + QStringLiteral("/Contents/Info.plist"));
        if (makeExecutable && !executable.isEmpty() && !executable.contains(QLatin1Char('/')))
            writeFile(path + QStringLiteral("/Contents/MacOS/") + executable, "#!/bin/sh\n", true);
        return path;
    }

    static void writeFile(const QString& path, const QByteArray& contents, bool executable = false)
    {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(test::writeFile(path, contents)) << qPrintable(path);
        if (executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }

    // A desktop file written by another program.
    void writeEntry(const QString& fileName, const QByteArray& contents)
    {
        writeFile(folder_ + QLatin1Char('/') + fileName, contents);
    }

    QByteArray entryText(const platform::LoginItemList::Item& item) const
    {
        return test::readFile(folder_ + QLatin1Char('/') + item.identifier);
    }

    std::vector<platform::LoginItemList::Item> snapshot() const
    {
        auto items = list_.copySnapshot();
        EXPECT_TRUE(items);
        return items ? *items : std::vector<platform::LoginItemList::Item>{};
    }

    QStringList paths() const
    {
        QStringList result;
        for (const auto& item : snapshot())
            result << item.path;
        return result;
    }

    std::optional<platform::LoginItemList::Item> insert(const QString& path)
    {
        return list_.insertItemURL(QUrl::fromLocalFile(path));
    }

    platform::LibplistSerialization plists_;
    QString base_;
    QString folder_;
    platform::XdgLoginItemList list_;
};
