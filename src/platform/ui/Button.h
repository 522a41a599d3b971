#pragma once

#include "ButtonCell.h"
#include "View.h"

#include <functional>
#include <memory>

namespace platform::ui {

enum class FocusRingType { Default = 0, None = 1, Exterior = 2 };

// A push button, check box or image button. It draws through its cell and follows a click
// itself: pressed while the mouse button is held over it, and on release inside it advances
// its state (check boxes and toggles) and sends its action. A disabled button ignores clicks.
// Buttons are controls: a click on one never drags the window.
class Button : public View {
public:
    using Action = std::function<void(Button& sender)>;

    explicit Button(const Rect& frame = {});
    // A push button with a title, sized to it.
    static std::unique_ptr<Button> buttonWithTitle(const QString& title, Action action = {});

    ButtonCell* cell() const { return cell_.get(); }

    QString title() const { return cell_->title(); }
    void setTitle(const QString& title);
    AttributedString attributedTitle() const { return cell_->attributedTitle(); }
    void setAttributedTitle(const AttributedString& title);
    Image image() const { return cell_->image(); }
    void setImage(const Image& image);
    const Image& alternateImage() const { return cell_->alternateImage(); }
    void setAlternateImage(const Image& image);
    void setImagePosition(CellImagePosition position);
    void setImageScaling(ImageScaling scaling);
    TextAlignment alignment() const { return cell_->alignment(); }
    void setAlignment(TextAlignment alignment);

    void setButtonType(ButtonType type);
    void setBordered(bool bordered);
    BezelStyle bezelStyle() const { return cell_->bezelStyle(); }
    void setBezelStyle(BezelStyle style);
    void setFocusRingType(FocusRingType) {} // no focus rings are drawn

    bool isEnabled() const { return cell_->isEnabled(); }
    void setEnabled(bool enabled);
    bool isHighlighted() const { return cell_->isHighlighted(); }
    void highlight(bool flag);

    const Action& action() const { return action_; }
    void setAction(Action action) { action_ = std::move(action); }
    // Runs the action (if any); the button may be gone afterwards.
    void sendAction();
    // A click made by code: the state advances and the action runs, when enabled.
    void performClick();

    bool mouseDownCanMoveWindow() const override { return false; }
    void drawRect(const Rect& dirtyRect) override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;

private:
    bool containsEvent(const Event& event) const;

    std::unique_ptr<ButtonCell> cell_;
    Action action_;
    bool tracking_ = false;
};

} // namespace platform::ui
