#pragma once

#include "LsblkMapper.h"

#include <QString>

// The machine's removable and hot-plugged block devices, as TAVRIN_REAL_VOLUMES sets: unset or
// "1" runs lsblk, "0" gives none, anything else names a file of recorded `lsblk --json --bytes`
// output, whose volumes are seen but never acted on.
class RealVolumeSource {
public:
    enum class Mode { Off, Live, Recorded };

    explicit RealVolumeSource(const QByteArray& setting);
    static RealVolumeSource fromEnvironment();

    Mode mode() const { return mode_; }
    // lsblk's JSON output (or the recording); empty when off, when lsblk cannot be run, or when
    // the recording is no regular file of at most 64 MiB.
    QByteArray listing() const;
    // What a recording is now (its path, size and time); empty when live or off.
    QByteArray fingerprint() const;
    // statvfs of a live mount point; none for a recording, which carries its own figures.
    LsblkMapper::FreeBytes freeBytes() const;

private:
    Mode mode_ = Mode::Live;
    QString recording_;
};
