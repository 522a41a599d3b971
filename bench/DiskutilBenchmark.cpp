// The Disk Manager's enumeration as the stand-in diskutil serves it: one `list -plist` and the
// 27 `info -plist` runs that the inventory makes (7 for the simulated disks that pass the first
// rules, 20 for a machine with 20 USB sticks, from a recorded lsblk output), in a fresh data
// folder. The peer is a bare process start (`true`) the same number of times. Targets: all 28
// runs under 150 ms, each start under 3 ms.
#include "BenchSupport.h"
#include "ProgramRun.h"

#include <QTemporaryDir>

#include <cstdio>

namespace {

QStringList infoCalls()
{
    QStringList calls{QStringLiteral("disk1")};
    for (int v = 2; v <= 5; ++v)
        calls << QStringLiteral("/dev/disk1s%1").arg(v);
    calls << QStringLiteral("/dev/disk2s1") << QStringLiteral("/dev/disk3s1");
    for (int d = 4; d < 24; ++d)
        calls << QStringLiteral("/dev/disk%1s1").arg(d);
    return calls;
}

} // namespace

int main()
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    qputenv("TAVRIN_ROOT", QFile::encodeName(data.path() + QStringLiteral("/root")));
    qputenv("TAVRIN_REAL_VOLUMES", TAVRIN_LSBLK_RECORDING);
    const QString diskutil = QStringLiteral(TAVRIN_BUNDLE "/Contents/Helpers/diskutil");
    const QString peer = tools::findProgram(QStringLiteral("true"));
    const QStringList calls = infoCalls();
    const int runs = int(calls.size()) + 1;

    // The first run seeds the state file, as the program's first start does.
    if (tools::runProgram(diskutil, {QStringLiteral("list"), QStringLiteral("-plist")}).exitStatus != 0) {
        std::fprintf(stderr, "diskutil did not run: %s\n", qPrintable(diskutil));
        return 1;
    }
    bool answered = true;
    const double enumeration = bench::bestOf(5, [&] {
        answered &= tools::runProgram(diskutil, {QStringLiteral("list"), QStringLiteral("-plist")}).exitStatus == 0;
        for (const QString& device : calls)
            answered &= tools::runProgram(diskutil, {QStringLiteral("info"), QStringLiteral("-plist"), device}).exitStatus == 0;
    });
    const double bare = bench::bestOf(5, [&] {
        for (int i = 0; i < runs; ++i)
            tools::runProgram(peer, {});
    });
    if (!answered) {
        std::fprintf(stderr, "a diskutil run failed\n");
        return 1;
    }
    std::printf("diskutil: %d runs in %.1f ms, %.2f ms per start (target: under 150 ms, 3 ms per start)\n", runs,
                enumeration, enumeration / runs);
    std::printf("true:     %d runs in %.1f ms, %.2f ms per start\n", runs, bare, bare / runs);
    std::printf("ratio:    %.1f\n", enumeration / bare);
    return 0;
}
