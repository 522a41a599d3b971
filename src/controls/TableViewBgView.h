#pragma once

#include "TableViewBgViewDelegate.h"

#include "platform/ui/View.h"

// The pale rounded card behind a volume box or the Downloads outline. A click on it goes to
// its delegate and no further.
class TableViewBgView : public platform::ui::View {
public:
    using View::View;

    // Not owned; the delegate outlives the card (a volume box owns its card).
    TableViewBgViewDelegate* delegate() const { return delegate_; }
    void setDelegate(TableViewBgViewDelegate* delegate) { delegate_ = delegate; }

    void drawRect(const platform::ui::Rect& dirtyRect) override;
    void mouseDown(const platform::ui::Event& event) override;

private:
    TableViewBgViewDelegate* delegate_ = nullptr;
};
