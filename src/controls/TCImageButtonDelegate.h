#pragma once

#include "platform/ui/Event.h"

// Hears of every click an image button followed (optional).
class TCImageButtonDelegate {
public:
    virtual ~TCImageButtonDelegate() = default;
    virtual void moushDownInButton(const platform::ui::Event& /*mouseDown*/) {}
};
