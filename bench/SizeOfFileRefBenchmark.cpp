// Sums a tree of 100 000 files in 5 000 folders with sizeOfFileRef and with `du -sb`, back to
// back, several rounds each, and prints the best time of each and their ratio (target ≤ 1.3).
#include "BenchSupport.h"

#include "platform/Platform.h"
#include "utilities/PublicUtilities.h"
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

constexpr int kRounds = 5;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path() + QStringLiteral("/tree");
    if (!QDir(root).exists()) {
        std::printf("generating %d files in %d folders under %s\n", bench::kTreeFolders * bench::kTreeFilesPerFolder,
                    bench::kTreeFolders, qPrintable(root));
        bench::generateTree(root);
    }

    platform::Platform platform;
    platform.fileCatalog = std::make_unique<platform::PosixFileCatalog>();
    platform::ScopedPlatform installed(platform);
    platform::FSRef ref;
    if (platform.fileCatalog->pathMakeRef(root, &ref) != platform::noErr)
        return 1;

    uint64_t total = 0;
    const double ours = bench::bestOf(kRounds, [&] { total = PublicUtilities::sizeOfFileRef(ref); });
    QByteArray duOutput;
    const double du = bench::bestOf(kRounds, [&] {
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
