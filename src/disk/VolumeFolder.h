#pragma once

#include "platform/workspace/FileSystemFacts.h"

#include <QString>

// Where a volume's folder is on this machine and what the workspace says of the file system
// there. Looking at a mount point may block for as long as its server takes, so it is found on
// the background queue while the column is built, never when a box is selected.
struct VolumeFolder {
    QString path; // empty when the folder is not there
    bool factsRead = false;
    platform::FileSystemFacts facts;

    // The start-up volume is the simulated Mac's root; another mount point is a real folder,
    // or a Mac path inside the simulated Mac.
    static VolumeFolder find(const QString& mountPoint);
};
