// The Applications tab's scan of 300 application bundles (plus this machine's desktop
// applications), from the view's loading to its first row and to the whole list with the
// search field usable; targets under 100 ms and under 1 s. The peer, in the same run, is
// `find <folder> -name '*.app' -prune` over the same folder; best of several rounds each.
#include "BenchSupport.h"

#include "AppUninstall/ApplicationsViewController.h"

#include "AppUninstall/AMSearchField.h"
#include "controls/BgTableView.h"

#include "platform/LinuxPlatform.h"
#include "platform/Platform.h"
#include "platform/folders/SearchPaths.h"

#include "platform/ui/QtApplicationHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kBundles = 300;
constexpr int kRounds = 5;

// A third of the bundles lie one folder deeper, as in "Utilities".
void makeBundles(const QString& folder)
{
    for (int i = 0; i < kBundles; ++i) {
        const QString path = QStringLiteral("%1/%2App %3.app").arg(folder, i % 3 ? QString() : QStringLiteral("Group %1/").arg(i % 10)).arg(i);
        QDir().mkpath(path + QStringLiteral("/Contents/MacOS"));
        QFile plist(path + QStringLiteral("/Contents/Info.plist"));
        if (plist.open(QIODevice::WriteOnly))
            plist.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                                       "<key>CFBundleIdentifier</key><string>com.example.app%1</string>"
                                       "<key>CFBundleShortVersionString</key><string>1.%1</string></dict></plist>\n")
                            .arg(i)
                            .toUtf8());
    }
}

struct Times {
    double firstRow = 0;
    double whole = 0;
};

Times scanOnce()
{
    QElapsedTimer timer;
    timer.start();
    ApplicationsViewController tab;
    tab.view();
    Times times;
    while (tab.isScanning()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (times.firstRow == 0 && tab.listTableView()->numberOfRows() > 0)
            times.firstRow = double(timer.nsecsElapsed()) / 1e6;
    }
    times.whole = double(timer.nsecsElapsed()) / 1e6;
    if (tab.allApplications().size() < kBundles)
        std::fprintf(stderr, "only %lld applications listed\n", qlonglong(tab.allApplications().size()));
    return times;
}

double findOnce(const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    QProcess find;
    find.start(QStringLiteral("find"), {folder, QStringLiteral("-name"), QStringLiteral("*.app"), QStringLiteral("-prune")});
    find.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::isolateHome(home.path());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::ui::QtApplicationHost qt(argc, argv);
    auto platform = platform::makeLinuxPlatform(QStringLiteral(TAVRIN_BUNDLE));
    platform::ScopedPlatform installed(*platform);
    const QString folder = platform->searchPaths->pathOnMac(QStringLiteral("/Applications"));
    makeBundles(folder);

    Times best{1e9, 1e9};
    double peer = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const Times times = scanOnce();
        best.firstRow = std::min(best.firstRow, times.firstRow);
        best.whole = std::min(best.whole, times.whole);
        peer = std::min(peer, findOnce(folder));
    }
    QThreadPool::globalInstance()->waitForDone();
    std::printf("Applications scan of %d bundles: first row %.1f ms (target < 100), whole list %.1f ms (target < 1000); "
                "find -prune %.1f ms, ratio %.2f\n",
                kBundles, best.firstRow, best.whole, peer, peer > 0 ? best.whole / peer : 0.0);
    return 0;
}
