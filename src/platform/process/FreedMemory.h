#pragma once

namespace platform {

// Two allocator arenas: the main thread's, and one that the background threads share. A pool
// thread that ends leaves its arena behind with what it had kept, and the next thread takes
// another: the resident size crept up with every rebuild. (One arena for all made the main
// thread wait on the pool's allocations.) Call first thing in main, before any thread starts.
void shareOneAllocatorArena();

// Hands the memory that the process has freed back to the system: the allocator keeps what a
// rebuilt window and its tools let go for later use.
void returnFreedMemoryToSystem();

} // namespace platform
