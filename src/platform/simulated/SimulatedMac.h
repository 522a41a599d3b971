#pragma once

#include "platform/files/FileStampCache.h"

#include <QMutex>
#include <QString>
#include <QVariant>

#include <optional>

namespace platform {

// The state of the parts of a Mac that Linux does not have: its OS version, model, volumes,
// switches and so on, kept in property-list files under the data folder
// ($XDG_DATA_HOME/tavrin) so that a change survives a restart, and the Mac's own folders
// (/Applications, /Library, /System/..., /Users/<login>) under the root folder
// (TAVRIN_ROOT, by default <data folder>/root).
//
// The program and the stand-in tools in Helpers/ share this state. The seed (the bundle's
// `simulated-mac` resource) fills in what is missing at every start: each file is copied to a
// `.part` name, the file systems are synced once, then each takes its name, so a first start
// waits on the disk once and a crash leaves no half file. A state file that is there but does
// not read is never overwritten: a value set into it is dropped, and the file kept as it is.
class SimulatedMac {
public:
    SimulatedMac(QString dataFolder, QString root);

    // From XDG_DATA_HOME and TAVRIN_ROOT.
    static QString defaultDataFolder();
    static QString defaultRoot(const QString& dataFolder);

    QString dataFolder() const { return dataFolder_; }
    QString root() const { return root_; }
    QString userName() const;
    // The user's Mac home: <root>/Users/<login>.
    QString homePath() const;
    // A Mac path such as "/Applications" inside the simulated Mac. Relative paths are refused.
    QString pathOnMac(const QString& macPath) const;

    // Copies what the seed folder holds and the data folder lacks (state files, the root tree
    // and the "home" tree, which goes to the user's Mac home), then makes the user's home
    // folders. Existing files are kept.
    void ensureSeeded(const QString& seedFolder) const;

    // One value of a state file "<name>.plist" in the data folder (a dictionary).
    QVariant stateValue(const QString& file, const QString& key) const;
    bool setStateValue(const QString& file, const QString& key, const QVariant& value);
    QVariantMap stateFile(const QString& file) const;
    // The state file's dictionary: empty when there is none, nothing when it is there but does
    // not read (setting a value then fails, so a refused file is never replaced by one value).
    std::optional<QVariantMap> readStateFile(const QString& file) const;
    bool writeStateFile(const QString& file, const QVariantMap& contents);

    // The OS version text, such as "10.15.7": TAVRIN_OS_VERSION when set, else the state.
    QString productVersion() const;

private:
    QString statePath(const QString& file) const;

    QString dataFolder_;
    QString root_;
    mutable QMutex mutex_;
    // The colours ask for the OS version at every drawing: a state file is parsed again only
    // when it changed.
    mutable FileStampCache<QVariantMap> read_;
};

} // namespace platform
