// The Disk Manager's enumeration as the stand-in diskutil serves it, one run after another: one
// `list -plist` and the `info -plist` runs that the inventory makes (7 for the simulated disks
// that pass the first rules, one per recorded USB stick), over recordings of 20, 500 and 2 000
// sticks, in a fresh data folder. The peer is a bare process start (`true`) the same number of
// times. Targets: the cost per run flat (within 2x) from 20 to 2 000 sticks, that is the whole
// enumeration linear in the number of volumes, and at 20 sticks under 3 ms per run.
#include "BenchSupport.h"
#include "ProgramRun.h"

#include <QTemporaryDir>

#include <cstdio>

namespace {

QStringList infoCalls(int sticks)
{
    QStringList calls{QStringLiteral("disk1")};
    for (int v = 2; v <= 5; ++v)
        calls << QStringLiteral("/dev/disk1s%1").arg(v);
    calls << QStringLiteral("/dev/disk2s1") << QStringLiteral("/dev/disk3s1");
    for (int d = 4; d < 4 + sticks; ++d)
        calls << QStringLiteral("/dev/disk%1s1").arg(d);
    return calls;
}

// `count` removable partitions as `lsblk --json --bytes` prints them.
QByteArray recordedLsblk(int count)
{
    QByteArray devices;
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        devices += (i ? "," : "") + QByteArray(R"({"name":"sd)") + n
            + R"(","type":"disk","rm":true,"hotplug":true,"tran":"usb","size":32010928128,"pttype":"dos","children":[{"name":"sd)"
            + n + R"(1","type":"part","rm":true,"hotplug":true,"size":32009879552,"fstype":"vfat","label":"STICK)" + n
            + R"(","uuid":"1234-)" + n + R"(","mountpoint":"/media/stick)" + n + R"(","fsavail":8000000000}]})";
    }
    return R"({"blockdevices":[)" + devices + "]}";
}

} // namespace

int main()
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    qputenv("TAVRIN_ROOT", QFile::encodeName(data.path() + QStringLiteral("/root")));
    const QString recording = data.path() + QStringLiteral("/lsblk.json");
    qputenv("TAVRIN_REAL_VOLUMES", QFile::encodeName(recording));
    const QString diskutil = QStringLiteral(TAVRIN_BUNDLE "/Contents/Helpers/diskutil");
    const QString peer = tools::findProgram(QStringLiteral("true"));

    double first = 0, last = 0;
    for (const int sticks : {20, 500, 2000}) {
        QFile file(recording);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(recordedLsblk(sticks)) <= 0)
            return 1;
        file.close();
        const QStringList calls = infoCalls(sticks);
        const int runs = int(calls.size()) + 1;
        bool answered = true;
        const int rounds = sticks > 100 ? 1 : 5;
        const double enumeration = bench::bestOf(rounds, [&] {
            answered &= tools::runProgram(diskutil, {QStringLiteral("list"), QStringLiteral("-plist")}).exitStatus == 0;
            for (const QString& device : calls)
                answered &= tools::runProgram(diskutil, {QStringLiteral("info"), QStringLiteral("-plist"), device}).exitStatus == 0;
        });
        const double bare = bench::bestOf(rounds, [&] {
            for (int i = 0; i < runs; ++i)
                tools::runProgram(peer, {});
        });
        if (!answered) {
            std::fprintf(stderr, "a diskutil run failed: %s\n", qPrintable(diskutil));
            return 1;
        }
        const double perRun = enumeration / runs;
        (sticks == 20 ? first : last) = perRun;
        std::printf("%4d sticks: diskutil %5d runs in %8.1f ms, %.2f ms per run; true: %.2f ms per run; ratio %.1f\n", sticks,
                    runs, enumeration, perRun, bare / runs, enumeration / bare);
    }
    std::printf("per run at 20 sticks (target: under 3 ms): %s\n", first < 3 ? "met" : "missed");
    std::printf("per run from 20 to 2000 sticks: x%.2f (target: within 2x, a linear enumeration): %s\n", last / first,
                last <= 2 * first ? "met" : "missed");
    return 0;
}
