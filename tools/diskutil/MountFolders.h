#pragma once

#include "ActionOutcome.h"

#include <QString>
#include <QStringList>

// The folders under the simulated Mac's /Volumes where its volumes are mounted and keep their
// files. Paths are Mac paths ("/Volumes/Backup"); nothing outside <root>/Volumes is touched and
// links are never followed.
class MountFolders {
public:
    explicit MountFolders(QString root);

    QString realPath(const QString& macPath) const { return root_ + macPath; }
    // "/Volumes/<name>" ('/' shown as ':'), or "<name> 1", "<name> 2", ... when that folder
    // exists or is in `taken`; `own` (the volume's current folder) counts as free.
    QString pathFor(const QString& name, const QString& own, const QStringList& taken) const;

    bool make(const QString& macPath) const;
    // Removes the folder when it is empty; a folder with files stays.
    void removeIfEmpty(const QString& macPath) const;
    bool move(const QString& from, const QString& to) const;
    // Removes everything inside the folder, which stays; a missing folder is empty already. A
    // folder that is or holds another mount is refused, with nothing removed.
    ActionOutcome empty(const QString& macPath) const;

private:
    // The real path of a direct child of <root>/Volumes that is a folder and no link, or empty.
    QByteArray checkedFolder(const QString& macPath) const;

    QString root_;
};
