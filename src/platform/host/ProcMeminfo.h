#pragma once

#include "HostStatistics.h"

#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace platform {

// The virtual-memory statistics from /proc/meminfo (sizes, in kB) and /proc/vmstat (event
// counts), in pages of `pageSize` bytes:
//   free_count        MemFree
//   active_count      Active
//   inactive_count    Inactive
//   wire_count        Unevictable + KernelStack + PageTables + SUnreclaim (what cannot be paged out)
//   reactivations     pgactivate
//   pageins           pgmajfault (faults that read from disk)
//   pageouts          pswpout (pages written to swap)
//   faults            pgfault
// Linux has no counterpart for zero-fill, copy-on-write, lookups, hits, purgeable, purges and
// speculative pages; they are 0. Sizes saturate at 2^32 - 1 pages; event counts wrap, like the
// Mac's 32-bit counters. Nothing when MemFree, Active or Inactive is missing, or `pageSize` is
// 0; an empty `vmstat` gives event counts of 0.
std::optional<vm_statistics> parseProcMeminfo(QByteArrayView meminfo, QByteArrayView vmstat, uint64_t pageSize);

} // namespace platform
