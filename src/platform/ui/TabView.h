#pragma once

#include "TabViewItem.h"
#include "View.h"

#include <memory>
#include <vector>

namespace platform::ui {

// Pages on top of one another, one shown at a time, without tabs or a border of its own: the
// selected item's view fills the tab view. The first item added is selected.
class TabView : public View {
public:
    explicit TabView(const Rect& frame = {});
    ~TabView() override;

    void addTabViewItem(std::unique_ptr<TabViewItem> item);
    int numberOfTabViewItems() const { return int(items_.size()); }
    TabViewItem* tabViewItemAtIndex(int index) const;
    // -1 when no item has that identifier.
    int indexOfTabViewItemWithIdentifier(const QString& identifier) const;

    // An index or identifier that names no item leaves the selection as it is.
    void selectTabViewItemAtIndex(int index);
    void selectTabViewItemWithIdentifier(const QString& identifier);
    TabViewItem* selectedTabViewItem() const { return selected_; }

    // Where the pages lie: the whole tab view.
    Rect contentRect() const { return bounds(); }

private:
    friend class TabViewItem;
    void showSelectedView();

    std::vector<std::unique_ptr<TabViewItem>> items_;
    TabViewItem* selected_ = nullptr;
    WeakRef<View> shown_;
};

} // namespace platform::ui
