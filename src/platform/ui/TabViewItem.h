#pragma once

#include "WeakRef.h"

#include <QString>

#include <memory>

namespace platform::ui {

class TabView;
class View;

// One page of a tab view: an identifier and the view it shows. The view stays its
// owner's (a view controller's); once it is gone the item shows nothing. A view that belonged
// to its superview before is kept by the item while it is not shown.
class TabViewItem : public Referable {
public:
    explicit TabViewItem(QString identifier);
    ~TabViewItem() override;

    const QString& identifier() const { return identifier_; }
    View* view() const { return view_.get(); }
    void setView(View* view);

private:
    friend class TabView;

    QString identifier_;
    WeakRef<View> view_;
    std::unique_ptr<View> held_;
    TabView* tabView_ = nullptr;
};

} // namespace platform::ui
