#pragma once

#include "AlphaFade.h"

#include "platform/dispatch/Dispatcher.h"
#include "platform/ui/Scroller.h"

#include <memory>

// A scroller that floats over the content: it draws only its knob, takes no width from the
// content, and shows itself while the content scrolls or the pointer is on it. It fades out
// 1.5 seconds after the last scroll and when the pointer leaves. Its timers end with it.
class OverlayScroller : public platform::ui::Scroller {
public:
    using Interval = AlphaFade::Interval;

    static constexpr Interval kFadeOutDelay{1500};
    static constexpr Interval kDefaultAnimation{250};
    static constexpr Interval kEnterAnimation{100};
    static constexpr Interval kFadeOutAnimation{300};
    static constexpr Interval kAnimationStep{16};

    explicit OverlayScroller(const platform::ui::Rect& frame = {});

    // Only this class itself floats over the content; a subclass has to say so.
    virtual bool isCompatibleWithOverlayScrollers() const; // kept: named by the design, no caller yet
    static double zeroWidth() { return 0.0; }

    void drawRect(const platform::ui::Rect& dirtyRect) override;
    void drawKnobSlotInRect(const platform::ui::Rect& slotRect, bool highlight) override;

    void setFloatValue(double value) override;
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;
    void mouseMoved(const platform::ui::Event& event) override;
    // Fades to transparent.
    void fadeOut();

private:
    void commonInitializer();
    void animateAlpha(double to, Interval duration);
    void stepAnimation();

    std::unique_ptr<platform::TimerHandle> pendingFadeOut_;
    std::unique_ptr<platform::TimerHandle> animation_;
    AlphaFade fade_;
    Interval animated_{};
};
