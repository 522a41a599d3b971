#pragma once

namespace platform::ui {

// The application's tool-tip settings.
class ToolTipManager {
public:
    static ToolTipManager& sharedToolTipManager();

    double initialToolTipDelay() const { return initialDelay_; }
    // Seconds between the pointer coming to rest and the tip appearing.
    void setInitialToolTipDelay(double seconds);

private:
    ToolTipManager() = default;
    double initialDelay_ = 0.7;
};

} // namespace platform::ui
