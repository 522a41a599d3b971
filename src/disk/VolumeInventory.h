#pragma once

#include "VolumeFolder.h"

#include <QList>
#include <QVariantMap>

#include <cstdint>
#include <mutex>
#include <optional>

// The last enumeration's volumes with their folders, kept across rebuilds of the tab (every
// window build makes a new one) while the platform's mount watch reports no change, so that a
// click on the status item runs no diskutil. An action of the tab that changes a volume forgets
// it at once, before the watch has seen the change. Any thread.
class VolumeInventory {
public:
    struct Listing {
        QList<QVariantMap> volumes;
        QList<VolumeFolder> folders;
    };

    static VolumeInventory& shared();

    // The mount watch's generation now; none without a watch, when nothing is kept.
    static std::optional<uint64_t> currentGeneration();
    // What was kept at that generation.
    std::optional<Listing> kept(uint64_t generation) const;
    void keep(uint64_t generation, Listing listing);
    void forget();

private:
    mutable std::mutex mutex_;
    std::optional<uint64_t> generation_;
    Listing listing_;
};
