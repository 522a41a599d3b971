#pragma once

#include "platform/ui/View.h"

#include <functional>

// A horizontal slider: a track filled up to the value and a round knob. Pressing or dragging
// on it moves the value and sends the action at every step. The value stays within the range.
class Slider : public platform::ui::View {
public:
    using Action = std::function<void(Slider& sender)>;

    Slider(const platform::ui::Rect& frame, double minValue, double maxValue);

    double minValue() const { return minValue_; }
    double maxValue() const { return maxValue_; }
    double doubleValue() const { return value_; }
    float floatValue() const { return float(value_); }
    void setDoubleValue(double value);
    void setAction(Action action) { action_ = std::move(action); }
    // The value under a point of the view's own coordinates.
    double valueAtX(double x) const;

    bool mouseDownCanMoveWindow() const override { return false; }
    void drawRect(const platform::ui::Rect& dirtyRect) override;
    void mouseDown(const platform::ui::Event& event) override;
    void mouseDragged(const platform::ui::Event& event) override;

private:
    void trackTo(const platform::ui::Event& event);

    double minValue_;
    double maxValue_;
    double value_;
    Action action_;
};
