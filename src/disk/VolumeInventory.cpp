#include "VolumeInventory.h"

#include "platform/Platform.h"
#include "platform/mounts/MountWatch.h"

VolumeInventory& VolumeInventory::shared()
{
    static VolumeInventory inventory;
    return inventory;
}

std::optional<uint64_t> VolumeInventory::currentGeneration()
{
    const auto& watch = platform::Platform::current().mountWatch;
    return watch ? std::optional<uint64_t>(watch->generation()) : std::nullopt;
}

std::optional<VolumeInventory::Listing> VolumeInventory::kept(uint64_t generation) const
{
    std::lock_guard lock(mutex_);
    if (generation_ != generation)
        return std::nullopt;
    return listing_;
}

void VolumeInventory::keep(uint64_t generation, Listing listing)
{
    std::lock_guard lock(mutex_);
    generation_ = generation;
    listing_ = std::move(listing);
}

void VolumeInventory::forget()
{
    std::lock_guard lock(mutex_);
    generation_.reset();
    listing_ = {};
}
