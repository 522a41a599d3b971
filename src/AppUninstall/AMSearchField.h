#pragma once

#include "platform/ui/TextField.h"

#include <functional>

// The search field of the two application lists: it tells its controller when editing begins
// (controlTextDidBeginEditing) and after each change of its text (controlTextDidChange), and
// takes no focus while it is disabled.
class AMSearchField : public platform::ui::TextField {
public:
    using TextField::TextField;

    void setDidBeginEditing(std::function<void()> action) { didBeginEditing_ = std::move(action); }
    void setDidChange(std::function<void()> action) { didChange_ = std::move(action); }

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    bool acceptsFirstResponder() const override { return enabled_ && TextField::acceptsFirstResponder(); }
    bool becomeFirstResponder() override;
    void keyDown(const platform::ui::Event& event) override;
    bool tryToPerform(platform::ui::EditingAction action) override;

private:
    void changedFrom(const QString& before);

    std::function<void()> didBeginEditing_;
    std::function<void()> didChange_;
    bool enabled_ = true;
};
