#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/View.h"
#include "platform/ui/WeakRef.h"

#include <QString>

#include <functional>

// The shortcut tile of Quick Visit: a rounded light card with an icon and a name that darkens
// while the pointer is over it. A click runs the back action for the delegate; a tile without
// a delegate (or whose delegate is gone) ignores clicks.
class CustemButtonView : public platform::ui::View {
public:
    explicit CustemButtonView(const platform::ui::Rect& frame);

    // Not owned.
    platform::ui::Referable* delegate() const { return delegate_.get(); }
    void setDelegate(platform::ui::Referable* delegate) { delegate_ = delegate; }
    const std::function<void()>& backAction() const { return backAction_; }
    void setBackAction(std::function<void()> action) { backAction_ = std::move(action); }
    const platform::ui::Image& iconImage() const { return iconImage_; }
    void setIconImage(const platform::ui::Image& image);
    const QString& name() const { return name_; }
    void setName(const QString& name);
    bool isMouseEnter() const { return isMouseEnter_; } // kept: named by the design, no caller yet
    // A button that shows the tile's link text; no tile has one unless it is set.
    platform::ui::Button* openBut() const { return openBut_; } // kept: named by the design, no caller yet
    void setOpenBut(platform::ui::Button* button) { openBut_ = button; } // kept: named by the design, no caller yet

    void openButtonAction();
    // The text in the link colour and the Light face at 12 points, also given to openBut.
    platform::ui::AttributedString getOpenString(const QString& text);

    bool mouseDownCanMoveWindow() const override { return false; }
    void drawRect(const platform::ui::Rect& dirtyRect) override;
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;
    void mouseDown(const platform::ui::Event& event) override;

private:
    bool isMouseEnter_ = false;
    platform::ui::WeakRef<platform::ui::Referable> delegate_;
    std::function<void()> backAction_;
    platform::ui::Image iconImage_;
    QString name_;
    platform::ui::Button* openBut_ = nullptr;
};
