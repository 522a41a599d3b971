#include "FreedMemory.h"

#include <malloc.h>

namespace platform {

void shareOneAllocatorArena()
{
    mallopt(M_ARENA_MAX, 2);
}

void returnFreedMemoryToSystem()
{
    malloc_trim(0);
}

} // namespace platform
