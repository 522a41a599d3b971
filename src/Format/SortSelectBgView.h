#pragma once

#include "SortSelectBgViewDelegate.h"

#include "platform/ui/View.h"

// An option tile of the file-system chooser: blue while the pointer is over it; a click tells
// the delegate which tile it was. Its row number is its identifier.
class SortSelectBgView : public platform::ui::View {
public:
    using View::View;

    // Starts following the pointer over the present bounds; the chooser calls it once the tile
    // is set up.
    void awakeFromNib();

    // Not owned; the chooser outlives its tiles.
    SortSelectBgViewDelegate* delegate() const { return delegate_; }
    void setDelegate(SortSelectBgViewDelegate* delegate) { delegate_ = delegate; }
    bool isMouseIn() const { return isMouseIn_; } // kept: named by the design, no caller yet
    // Lit while the pointer is over the tile; the chooser also lights the tile it opened under.
    void setMouseIn(bool in);

    bool mouseDownCanMoveWindow() const override { return false; }
    void drawRect(const platform::ui::Rect& dirtyRect) override;
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;
    void mouseDown(const platform::ui::Event& event) override;

private:
    bool isMouseIn_ = false;
    SortSelectBgViewDelegate* delegate_ = nullptr;
};
