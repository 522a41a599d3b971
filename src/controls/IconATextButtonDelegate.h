#pragma once

#include "platform/ui/Event.h"

class IconATextButton;

// Hears of every click an icon-and-text button followed (optional).
class IconATextButtonDelegate {
public:
    virtual ~IconATextButtonDelegate() = default;
    virtual void moushDownInButton(const platform::ui::Event& /*mouseDown*/) {}
};
