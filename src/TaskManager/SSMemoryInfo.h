#pragma once

#include <QString>

#include <cstdint>

// One memory sample, in bytes.
class SSMemoryInfo {
public:
    uint64_t totalMemory() const { return totalMemory_; }
    void setTotalMemory(uint64_t value) { totalMemory_ = value; }
    uint64_t freeMemory() const { return freeMemory_; }
    void setFreeMemory(uint64_t value) { freeMemory_ = value; }
    uint64_t wiredMemory() const { return wiredMemory_; } // kept: named by the design, no caller yet
    void setWiredMemory(uint64_t value) { wiredMemory_ = value; }
    uint64_t activeMemory() const { return activeMemory_; } // kept: named by the design, no caller yet
    void setActiveMemory(uint64_t value) { activeMemory_ = value; }
    uint64_t inactiveMemory() const { return inactiveMemory_; }
    void setInactiveMemory(uint64_t value) { inactiveMemory_ = value; }
    uint64_t usedMomory() const { return usedMomory_; }
    void setUsedMomory(uint64_t value) { usedMomory_ = value; }
    uint64_t pageIn() const { return pageIn_; } // kept: named by the design, no caller yet
    void setPageIn(uint64_t value) { pageIn_ = value; }
    uint64_t pageOut() const { return pageOut_; } // kept: named by the design, no caller yet
    void setPageOut(uint64_t value) { pageOut_ = value; }
    // The fault count in bytes, not a size of virtual memory.
    uint64_t virtualMemory() const { return virtualMemory_; } // kept: named by the design, no caller yet
    void setVirtualMemory(uint64_t value) { virtualMemory_ = value; }

    // "%0.2f KB" below 1 MiB, "%0.2f MB" below 1 GiB, else "%0.2f GB" (binary steps, single
    // precision).
    static QString covertMemory(uint64_t bytes); // kept: named by the design, no caller yet

private:
    uint64_t totalMemory_ = 0;
    uint64_t freeMemory_ = 0;
    uint64_t wiredMemory_ = 0;
    uint64_t activeMemory_ = 0;
    uint64_t inactiveMemory_ = 0;
    uint64_t usedMomory_ = 0;
    uint64_t pageIn_ = 0;
    uint64_t pageOut_ = 0;
    uint64_t virtualMemory_ = 0;
};
