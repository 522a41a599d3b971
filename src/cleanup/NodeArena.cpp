#include "NodeArena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kBlockBytes = 256 * 1024;

} // namespace

// Takes from the arena and gives nothing back one by one; the control block keeps the arena.
template <typename T>
struct ArenaAllocator {
    using value_type = T;
    explicit ArenaAllocator(std::shared_ptr<NodeArena> arena) : arena(std::move(arena)) {}
    template <typename U>
    ArenaAllocator(const ArenaAllocator<U>& other) : arena(other.arena) {}
    T* allocate(std::size_t n) { return static_cast<T*>(arena->allocate(n * sizeof(T), alignof(T))); }
    void deallocate(T*, std::size_t) {}
    template <typename U>
    bool operator==(const ArenaAllocator<U>& other) const { return arena == other.arena; }

    std::shared_ptr<NodeArena> arena;
};

void* NodeArena::allocate(std::size_t bytes, std::size_t alignment)
{
    const auto aligned = [&] {
        return reinterpret_cast<std::byte*>((reinterpret_cast<std::uintptr_t>(next_) + alignment - 1) & ~(alignment - 1));
    };
    if (!next_ || aligned() + bytes > end_) {
        // A name longer than a block has a block of its own.
        const std::size_t size = std::max(kBlockBytes, bytes + alignment);
        blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        next_ = blocks_.back().get();
        end_ = next_ + size;
    }
    std::byte* place = aligned();
    next_ = place + bytes;
    return place;
}

std::shared_ptr<FileNode> NodeArena::makeNode(FileNode* father, const QByteArray& name, bool isDirectory)
{
    auto* copy = static_cast<char*>(allocate(std::size_t(name.size()), 1));
    std::memcpy(copy, name.constData(), std::size_t(name.size()));
    // The name is raw data in the arena, which outlives the node.
    return std::allocate_shared<FileNode>(ArenaAllocator<FileNode>(shared_from_this()), father,
                                          QByteArray::fromRawData(copy, name.size()), isDirectory);
}
