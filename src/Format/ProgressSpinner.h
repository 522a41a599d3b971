#pragma once

#include "platform/dispatch/Dispatcher.h"

#include "platform/ui/View.h"

#include <memory>

// A spinning progress indicator: twelve spokes, the bright one stepping round while it animates.
class ProgressSpinner : public platform::ui::View {
public:
    using View::View;

    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return timer_ != nullptr; }

    void drawRect(const platform::ui::Rect& dirtyRect) override;

private:
    int phase_ = 0;
    std::unique_ptr<platform::TimerHandle> timer_;
};
