// The related-file search of one application over a simulated Library of 10 000 entries spread
// over the seven places (a few dozen of them the application's), best of several rounds, against
// `find` listing the same places for the same keys and `du -sb` measuring what it found, run
// back to back (the search's count includes the application). Target: under 50 ms.
#include "BenchSupport.h"

#include "AppUninstall/RelatedAppFilesScanner.h"

#include "platform/Platform.h"
#include "platform/files/PosixFileCatalog.h"
#include "platform/files/PosixFileManager.h"
#include "platform/folders/LinuxSearchPaths.h"
#include "platform/log/StandardErrorLog.h"
#include "platform/plist/LibplistSerialization.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/workspace/LinuxWorkspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kEntries = 10000;
constexpr int kRounds = 7;

void write(const QString& path, int bytes)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray(bytes, 'x'));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    platform::SimulatedMac mac(scratch.path() + QStringLiteral("/data"), scratch.path() + QStringLiteral("/root"));
    mac.ensureSeeded({});
    const QString home = mac.homePath();
    const QStringList places{home + QStringLiteral("/Library/Preferences"),
                             home + QStringLiteral("/Library/Caches"),
                             home + QStringLiteral("/Library/Logs"),
                             home + QStringLiteral("/Library/Saved Application State"),
                             home + QStringLiteral("/Library/Application Support"),
                             home + QStringLiteral("/Downloads"),
                             home + QStringLiteral("/Library/Application Support/Growl/Tickets")};
    // Other applications' entries, some of them sharing the key's first letters.
    for (int entry = 0; entry < kEntries; ++entry) {
        const QString& place = places.at(entry % places.size());
        write(QStringLiteral("%1/%2 %3.plist").arg(place, entry % 5 ? QStringLiteral("com.other.app") : QStringLiteral("Luminous")).arg(entry), 200);
    }
    // The application's own: a file and a folder of 20 files in every place.
    for (const QString& place : places) {
        write(place + QStringLiteral("/Lum.growlTicket"), 300);
        for (int file = 0; file < 20; ++file)
            write(place + QStringLiteral("/com.example.Lum/data%1").arg(file), 1000);
    }
    const QString application = mac.pathOnMac(QStringLiteral("/Applications/Lum.app"));
    write(application + QStringLiteral("/Contents/MacOS/Lum"), 50000);

    platform::Platform platform;
    platform.log = std::make_unique<platform::StandardErrorLog>();
    platform.propertyLists = std::make_unique<platform::LibplistSerialization>();
    platform.propertyLists->writeToFile(QVariantMap{{QStringLiteral("CFBundleName"), QStringLiteral("Lum")},
                                                    {QStringLiteral("CFBundleIdentifier"), QStringLiteral("com.example.Lum")}},
                                        application + QStringLiteral("/Contents/Info.plist"));
    platform.searchPaths = std::make_unique<platform::LinuxSearchPaths>(mac);
    platform.fileCatalog = std::make_unique<platform::PosixFileCatalog>();
    platform.fileManager = std::make_unique<platform::PosixFileManager>();
    platform::LinuxWorkspace::Settings settings;
    settings.bundleInfo = [&platform](const QString& bundle) {
        return platform.propertyLists->propertyListFromFile(bundle + QStringLiteral("/Contents/Info.plist")).toMap();
    };
    platform.workspace = std::make_unique<platform::LinuxWorkspace>(std::move(settings));
    platform::ScopedPlatform installed(platform);

    qsizetype found = 0;
    const double ours = bench::bestOf(kRounds, [&] { found = RelatedAppFilesScanner::relatedFilesToApplicationAtPath(application).size(); });

    QStringList findArguments = places;
    findArguments << QStringLiteral("-mindepth") << QStringLiteral("1") << QStringLiteral("-maxdepth") << QStringLiteral("1")
                  << QStringLiteral("(");
    // The same rule: the key alone, or followed by anything but a letter or digit.
    for (const QString& key : {QStringLiteral("Lum"), QStringLiteral("com.example.Lum")})
        findArguments << QStringLiteral("-iname") << key << QStringLiteral("-o") << QStringLiteral("-iname")
                      << key + QStringLiteral("[!a-z0-9]*") << QStringLiteral("-o");
    findArguments.removeLast();
    findArguments << QStringLiteral(")") << QStringLiteral("-exec") << QStringLiteral("du") << QStringLiteral("-sb") << QStringLiteral("{}")
                  << QStringLiteral("+");
    qsizetype peerFound = 0;
    const double peer = bench::bestOf(kRounds, [&] {
        QProcess process;
        process.start(QStringLiteral("find"), findArguments);
        process.waitForFinished(-1);
        peerFound = process.readAllStandardOutput().count('\n');
    });

    std::printf("related-file search: %.2f ms (%lld records, the application included; %d entries)\n", ours,
                static_cast<long long>(found), kEntries);
    std::printf("find + du -sb:       %.2f ms (%lld paths)\n", peer,
                static_cast<long long>(peerFound));
    std::printf("ratio:               %.2f; target under 50 ms: %s\n", ours / peer, ours < 50 ? "met" : "missed");
    return 0;
}
