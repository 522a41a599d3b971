#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// What one run of `diskutil` left: the output file (a null path when nothing ran), the exit
// status, and the file read as a dictionary. The dictionary is read before the runner's next
// run can start and only from a run that ended well, so a failed or missing run never hands
// over what an earlier run wrote.
struct DiskCommandResult {
    QString path;
    int exitStatus = -1;
    std::optional<QVariantMap> dictionary;
    // The last line the command wrote on either stream (the erase and mount runners only):
    // what a refusal is shown with.
    QString said;

    bool succeeded() const { return !path.isNull() && exitStatus == 0; }
};

// The disk manager's four runners, each with its own output file in the private temporary
// folder, and each running one command at a time. They run `diskutil` with the arguments as
// they are, through no shell, so no name or identifier is ever read by a shell.
// "DRWTray.plist": lists, information. The enumeration's look-ups run several at once, each
// slot above 0 with a file of its own ("DRWTray-<slot>.plist"), serialised like the first.
DiskCommandResult ExecCommand(const QStringList& arguments, int slot = 0);
inline constexpr int kExecCommandSlots = 4;
DiskCommandResult aepairExecCommand(const QStringList& arguments);  // "OrlaStartMenuRepairTemp.plist": type look-ups, eject
DiskCommandResult eraserExecCommand(const QStringList& arguments);  // "eraserVolumeTemp.plist": erase
DiskCommandResult renameExecCommand(const QStringList& arguments);  // "NTFSRepairTemp.plist": mount, unmount

// Runs `program` (a diskutil) with no output file, keeping what it said; for the reformat.
DiskCommandResult runTelling(const QString& program, const QStringList& arguments);
