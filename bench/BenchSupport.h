#pragma once
// What the benchmarks share: a home of their own, the tree that the folder walks are measured on,
// and timing.

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <algorithm>
#include <functional>

namespace bench {

// Points the home, the XDG folders, the temporary folder and the simulated Mac's root at folders
// inside `folder`, so a run reads and writes nothing of the real home.
inline void isolateHome(const QString& folder)
{
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR",
                             "TMPDIR", "TAVRIN_ROOT"}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, QFile::encodeName(path));
    }
}

constexpr int kTreeFolders = 5000;
constexpr int kTreeFilesPerFolder = 20;

// 50 top folders of 100 folders each, 20 files of varied sizes in every folder.
inline void generateTree(const QString& root)
{
    for (int folder = 0; folder < kTreeFolders; ++folder) {
        const QString path = QStringLiteral("%1/d%2/d%3").arg(root).arg(folder / 100).arg(folder);
        QDir().mkpath(path);
        for (int file = 0; file < kTreeFilesPerFolder; ++file) {
            QFile out(QStringLiteral("%1/f%2").arg(path).arg(file));
            if (out.open(QIODevice::WriteOnly))
                out.write(QByteArray((folder * 7 + file * 13) % 997, 'x'));
        }
    }
}

// Milliseconds that one run takes.
inline double timed(const std::function<void()>& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The fastest of `rounds` runs, in milliseconds.
inline double bestOf(int rounds, const std::function<void()>& run)
{
    double best = 1e300;
    for (int round = 0; round < rounds; ++round)
        best = std::min(best, timed(run));
    return best;
}

} // namespace bench
