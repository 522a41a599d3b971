#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace platform {

// Where a request to open something goes. Real files and folders and web and mail addresses
// go to the desktop; what only a Mac has (preference panes, the system settings' addresses,
// the simulated Mac's application bundles) goes to the simulated Mac, which runs nothing.
struct OpenTarget {
    enum class Route { Desktop, SimulatedMac, Refused };
    Route route = Route::Refused;
    QUrl url;     // for the desktop
    QString path; // the local path, as found

    // The existing local path for a path as given (which may be a Mac path that lies inside
    // the simulated Mac), or an empty text when there is nothing there.
    using PathLookup = std::function<QString(const QString& path)>;

    static OpenTarget forPath(const QString& fullPath, const PathLookup& existing);
    static OpenTarget forUrl(const QUrl& url, const PathLookup& existing);

    static bool isPreferencePane(const QString& path);
    static bool isApplicationBundle(const QString& path);
};

} // namespace platform
