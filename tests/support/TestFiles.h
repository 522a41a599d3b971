#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariantMap>

namespace test {

// Writes `contents` to `path` with its parent folders, runnable by its owner when `executable`;
// a file that cannot be written fails the test. Gives `path` back.
QString placeFile(const QString& path, const QByteArray& contents = "x", bool executable = false);

// A simulated application bundle at `path`: an Info.plist of `info`, the program that its
// CFBundleExecutable names (a shell script, left out when `withProgram` is false), and each of
// `resources` below Contents/Resources. Gives `path` back.
QString makeBundle(const QString& path, const QVariantMap& info, bool withProgram = true,
                   const QMap<QString, QByteArray>& resources = {});

} // namespace test
