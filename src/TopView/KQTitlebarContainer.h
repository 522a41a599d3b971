#pragma once

#include "platform/ui/View.h"

#include <optional>

// The title-bar strip of an image window. Dragging it moves the window: the window's own
// background drag when the window is movable by its background, else its own, never in full
// screen.
class KQTitlebarContainer : public platform::ui::View {
public:
    using View::View;

    void mouseDown(const platform::ui::Event& event) override;
    void mouseDragged(const platform::ui::Event& event) override;
    void mouseUp(const platform::ui::Event& event) override;

private:
    std::optional<platform::ui::Point> lastPointer_; // on screen, at the previous event
};
