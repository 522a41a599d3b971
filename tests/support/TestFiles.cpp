#include "TestFiles.h"

#include "IsolatedEnvironment.h"
#include "platform/plist/LibplistSerialization.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace test {

QString placeFile(const QString& path, const QByteArray& contents, bool executable)
{
    const bool written = QDir().mkpath(QFileInfo(path).path()) && writeFile(path, contents)
        && (!executable || QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
    EXPECT_TRUE(written) << qPrintable(path);
    return path;
}

QString makeBundle(const QString& path, const QVariantMap& info, bool withProgram,
                   const QMap<QString, QByteArray>& resources)
{
    QDir().mkpath(path + QStringLiteral("/Contents"));
    EXPECT_TRUE(platform::LibplistSerialization().writeToFile(info, path + QStringLiteral("/Contents/Info.plist")))
        << qPrintable(path);
    const QString program = info.value(QStringLiteral("CFBundleExecutable")).toString();
    if (withProgram && !program.isEmpty() && !program.contains(QLatin1Char('/')))
        placeFile(path + QStringLiteral("/Contents/MacOS/") + program, "#!/bin/sh\n", true);
    for (auto resource = resources.begin(); resource != resources.end(); ++resource)
        placeFile(path + QStringLiteral("/Contents/Resources/") + resource.key(), resource.value());
    return path;
}

} // namespace test
