#include "TabView.h"

namespace platform::ui {

TabViewItem::TabViewItem(QString identifier)
    : identifier_(std::move(identifier))
{
}

TabViewItem::~TabViewItem() = default;

void TabViewItem::setView(View* view)
{
    view_ = view;
    if (tabView_ && tabView_->selected_ == this)
        tabView_->showSelectedView();
}

TabView::TabView(const Rect& frame)
    : View(frame)
{
}

TabView::~TabView()
{
    for (const auto& item : items_)
        item->tabView_ = nullptr;
}

void TabView::addTabViewItem(std::unique_ptr<TabViewItem> item)
{
    if (!item)
        return;
    item->tabView_ = this;
    items_.push_back(std::move(item));
    if (!selected_)
        selectTabViewItemAtIndex(0);
}

TabViewItem* TabView::tabViewItemAtIndex(int index) const
{
    return index >= 0 && index < int(items_.size()) ? items_[std::size_t(index)].get() : nullptr;
}

int TabView::indexOfTabViewItemWithIdentifier(const QString& identifier) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->identifier() == identifier)
            return int(i);
    return -1;
}

void TabView::selectTabViewItemAtIndex(int index)
{
    TabViewItem* item = tabViewItemAtIndex(index);
    if (!item)
        return;
    selected_ = item;
    showSelectedView();
}

void TabView::selectTabViewItemWithIdentifier(const QString& identifier)
{
    selectTabViewItemAtIndex(indexOfTabViewItemWithIdentifier(identifier));
}

void TabView::showSelectedView()
{
    View* next = selected_ ? selected_->view() : nullptr;
    View* previous = shown_.get();
    if (previous && previous != next && previous->superview() == this) {
        std::unique_ptr<View> owned = previous->removeFromSuperview(); // null: its owner keeps it
        for (const auto& item : items_)
            if (owned && item->view() == previous)
                item->held_ = std::move(owned);
    }
    shown_ = next;
    if (!next)
        return;
    if (next->superview() != this) {
        if (selected_->held_)
            addSubview(std::move(selected_->held_));
        else
            addSubview(*next);
    }
    next->setFrame(contentRect());
    next->setAutoresizingMask(ViewWidthSizable | ViewHeightSizable);
}

} // namespace platform::ui
