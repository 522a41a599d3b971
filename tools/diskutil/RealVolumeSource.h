#pragma once

#include <QString>
#include <QVariantList>

// The machine's removable and hot-plugged block devices, as TAVRIN_REAL_VOLUMES sets: unset or
// "1" runs lsblk, "0" gives none, anything else names a file of recorded `lsblk --json --bytes`
// output, whose volumes are seen but never acted on.
class RealVolumeSource {
public:
    enum class Mode { Off, Live, Recorded };

    explicit RealVolumeSource(const QByteArray& setting);
    static RealVolumeSource fromEnvironment();

    Mode mode() const { return mode_; }
    // Numbered from disk<firstNumber>; empty when off or when lsblk cannot be run or read.
    QVariantList disks(int firstNumber) const;

private:
    Mode mode_ = Mode::Live;
    QString recording_;
};
