#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The disk numbers of the machine's devices, by kernel name. A device keeps its number while it
// is present, so a look-up made after a listing reaches the same device even when another one
// came or went in between; a new device takes the lowest free number from `first`, and the
// numbers of devices that are gone are freed. The same input always gives the same numbers, so
// two runs that number at once agree.
class DiskNumbering {
public:
    static QMap<QString, int> assign(const QMap<QString, int>& known, const QStringList& present, int first);
};
