#pragma once

#include "FileNode.h"

#include <cstddef>
#include <memory>
#include <vector>

// Memory for the nodes one scan finds and their names, taken in large blocks: a scan of 100 000
// entries makes a few dozen allocations instead of two per entry. Nothing goes back until the
// last node made here is gone (each node keeps the arena). One thread makes nodes at a time.
class NodeArena : public std::enable_shared_from_this<NodeArena> {
public:
    // An entry of `father` named `name`; the node keeps a copy of the name in the arena.
    std::shared_ptr<FileNode> makeNode(FileNode* father, const QByteArray& name, bool isDirectory);

private:
    template <typename T>
    friend struct ArenaAllocator;
    void* allocate(std::size_t bytes, std::size_t alignment);

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
};
