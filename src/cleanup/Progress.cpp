#include "Progress.h"

#include "ScanGate.h"

#include <mutex>

namespace {

std::mutex currentMutex;
std::weak_ptr<ScanGate> currentGate;

std::shared_ptr<ScanGate> current()
{
    std::lock_guard lock(currentMutex);
    return currentGate.lock();
}

} // namespace

void Progress::isPause(bool pause)
{
    if (auto gate = current())
        gate->setPaused(pause);
}

bool Progress::isPause()
{
    const auto gate = current();
    return gate && gate->isPaused();
}

void Progress::setCurrentGate(std::shared_ptr<ScanGate> gate)
{
    std::lock_guard lock(currentMutex);
    currentGate = gate;
}
