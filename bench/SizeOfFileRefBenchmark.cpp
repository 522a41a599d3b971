// Sums a tree of 100 000 files in 5 000 folders with sizeOfFileRef and with `du -sb`, back to
// back, several rounds each, and prints the best time of each and their ratio (target ≤ 1.3).
#include "platform/Platform.h"
#include "PublicUtilities.h"
#include "platform/files/PosixFileCatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFolders = 5000;
constexpr int kFilesPerFolder = 20;
constexpr int kRounds = 5;

// 50 top folders of 100 folders each, 20 files of varied sizes in every folder.
void generateTree(const QString& root)
{
    for (int folder = 0; folder < kFolders; ++folder) {
        const QString path = QStringLiteral("%1/d%2/d%3").arg(root).arg(folder / 100).arg(folder);
        QDir().mkpath(path);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            QFile out(QStringLiteral("%1/f%2").arg(path).arg(file));
            if (out.open(QIODevice::WriteOnly))
                out.write(QByteArray((folder * 7 + file * 13) % 997, 'x'));
        }
    }
}

double bestOf(const std::function<void()>& run)
{
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path() + QStringLiteral("/tree");
    if (!QDir(root).exists()) {
        std::printf("generating %d files in %d folders under %s\n", kFolders * kFilesPerFolder,
                    kFolders, qPrintable(root));
        generateTree(root);
    }

    platform::Platform platform;
    platform.fileCatalog = std::make_unique<platform::PosixFileCatalog>();
    platform::ScopedPlatform installed(platform);
    platform::FSRef ref;
    if (platform.fileCatalog->pathMakeRef(root, &ref) != platform::noErr)
        return 1;

    uint64_t total = 0;
    const double ours = bestOf([&] { total = PublicUtilities::sizeOfFileRef(ref); });
    QByteArray duOutput;
    const double du = bestOf([&] {
        QProcess process;
        process.start(QStringLiteral("du"), {QStringLiteral("-sb"), root});
        process.waitForFinished(-1);
        duOutput = process.readAllStandardOutput();
    });

    std::printf("sizeOfFileRef: %.1f ms (%llu bytes)\n", ours, static_cast<unsigned long long>(total));
    std::printf("du -sb:        %.1f ms (%s)\n", du, duOutput.split('\t').value(0).constData());
    std::printf("ratio:         %.2f (target at most 1.30)\n", ours / du);
    return 0;
}
