#include "OpenTarget.h"

namespace platform {

namespace {

QString lastComponent(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool hasExtension(const QString& path, QLatin1String extension)
{
    const QString name = lastComponent(path);
    return name.size() > extension.size() && name.endsWith(extension, Qt::CaseInsensitive);
}

} // namespace

bool OpenTarget::isPreferencePane(const QString& path)
{
    return hasExtension(path, QLatin1String(".prefPane"));
}

bool OpenTarget::isApplicationBundle(const QString& path)
{
    return hasExtension(path, QLatin1String(".app"));
}

OpenTarget OpenTarget::forPath(const QString& fullPath, const PathLookup& existing)
{
    OpenTarget target;
    if (!fullPath.startsWith(QLatin1Char('/')) || fullPath.contains(QChar(0)))
        return target;
    // A preference pane opens in the simulated system settings whether or not the simulated
    // Mac has its bundle, as the settings application shows its own panes.
    if (isPreferencePane(fullPath)) {
        target.route = Route::SimulatedMac;
        target.path = fullPath;
        return target;
    }
    const QString found = existing ? existing(fullPath) : QString();
    if (found.isEmpty())
        return target;
    target.path = found;
    if (isApplicationBundle(found)) {
        target.route = Route::SimulatedMac;
    } else {
        target.route = Route::Desktop;
        target.url = QUrl::fromLocalFile(found);
    }
    return target;
}

OpenTarget OpenTarget::forUrl(const QUrl& url, const PathLookup& existing)
{
    OpenTarget target;
    if (!url.isValid())
        return target;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("x-apple.systempreferences")) {
        target.route = Route::SimulatedMac;
        target.url = url;
        return target;
    }
    if (url.isLocalFile())
        return forPath(url.toLocalFile(), existing);
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty()) {
        target.route = Route::Desktop;
        target.url = url;
    } else if (scheme == QLatin1String("mailto") && !url.path().isEmpty()) {
        target.route = Route::Desktop;
        target.url = url;
    }
    return target;
}

} // namespace platform
