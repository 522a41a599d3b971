#pragma once

#include <QString>

#include <vector>

namespace platform {

// Every process of the machine and the program each one runs (`proc_listpids`,
// `proc_pidpath`).
class ProcessListing {
public:
    // Longest executable path given back, in bytes.
    static constexpr int kMaximumPathSize = 4096;

    virtual ~ProcessListing() = default;
    virtual std::vector<int> listPids() const = 0;
    // The executable's path, or an empty text when it cannot be read (a kernel thread, a
    // process of another user, one that has ended).
    virtual QString pidPath(int pid) const = 0;
};

} // namespace platform
