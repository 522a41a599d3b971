#pragma once

#include "platform/ui/Button.h"

// A button that shows the pointing hand while the pointer is over it.
class EUHandButton : public platform::ui::Button {
public:
    using Button::Button;
    ~EUHandButton() override;

    void viewDidMoveToWindow() override;
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;

private:
    bool showsHand_ = false;
};
