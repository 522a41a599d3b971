#pragma once

#include <memory>

class ScanGate;

// The pause switch that the window reaches without knowing the scan: it acts on the scan that
// started last, so a pause never holds a scan that has been replaced.
class Progress {
public:
    // Pauses or resumes the current scan.
    static void isPause(bool pause);
    // Whether the current scan is paused.
    static bool isPause();

    // Does nothing: the progress is the scan's own (EumeRoot::getProgress).
    static void getProgress() {}

    // Made current by each scan as it starts.
    static void setCurrentGate(std::shared_ptr<ScanGate> gate);
};
