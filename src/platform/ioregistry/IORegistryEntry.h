#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace platform {

// One entry of the I/O registry's service plane: its name, its properties and the entries
// below it.
struct IORegistryEntry {
    QString name;
    QVariantMap properties;
    std::vector<IORegistryEntry> children;

    // IORegistryEntrySearchCFProperty, recursively: the entry's own property, else the first
    // found among the entries below it, depth first in order; invalid when none has it.
    QVariant searchProperty(const QString& key) const;
};

} // namespace platform
