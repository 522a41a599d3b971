#include "Menu.h"

#include "ImageIcon.h"
#include "MenuDelegate.h"
#include "platform/notifications/NotificationCenter.h"
#include "QtCoordinates.h"
#include "StringDrawing.h"
#include "View.h"
#include "Window.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidgetAction>

#include <algorithm>

namespace platform::ui {

MenuItem::MenuItem(QString title, Action action)
    : title_(std::move(title))
    , action_(std::move(action))
{
}

MenuItem::~MenuItem() = default;

void MenuItem::setView(View* view)
{
    view_ = view;
}

std::unique_ptr<MenuItem> MenuItem::separatorItem()
{
    auto item = std::make_unique<MenuItem>();
    item->separator_ = true;
    item->enabled_ = false;
    return item;
}

Menu::Menu(QString title)
    : title_(std::move(title))
{
}

Menu::~Menu()
{
    for (const auto& item : items_)
        item->menu_ = nullptr;
}

MenuItem* Menu::addItem(std::unique_ptr<MenuItem> item)
{
    return insertItem(std::move(item), numberOfItems());
}

MenuItem* Menu::addItemWithTitle(const QString& title, MenuItem::Action action, const QString& /*keyEquivalent*/)
{
    return addItem(std::make_unique<MenuItem>(title, std::move(action)));
}

MenuItem* Menu::insertItem(std::unique_ptr<MenuItem> item, int index)
{
    if (!item)
        return nullptr;
    MenuItem* raw = item.get();
    raw->menu_ = this;
    const auto at = std::size_t(std::clamp(index, 0, numberOfItems()));
    items_.insert(items_.begin() + std::ptrdiff_t(at), std::move(item));
    return raw;
}

MenuItem* Menu::itemAtIndex(int index) const
{
    return index >= 0 && index < numberOfItems() ? items_[std::size_t(index)].get() : nullptr;
}

bool Menu::isItemShownEnabled(const MenuItem& item) const
{
    if (item.isSeparatorItem())
        return false;
    if (autoenables_)
        return bool(item.action()) || item.view() != nullptr;
    return item.isEnabled();
}

std::unique_ptr<QMenu> Menu::buildQtMenu(std::vector<std::pair<QAction*, MenuItem*>>& actions,
                                         std::vector<WeakRef<View>>& lent)
{
    auto menu = std::make_unique<QMenu>();
    if (font_.pointSize() > 0)
        menu->setFont(qtFontForDevice(font_, menu.get()));
    for (const auto& item : items_) {
        if (item->isSeparatorItem()) {
            menu->addSeparator();
            continue;
        }
        View* view = item->view();
        QAction* action = nullptr;
        if (view && !view->superview() && !view->window()) {
            // The item's own view, lent to the menu while it is up.
            auto* container = new QWidget;
            container->setFixedSize(int(view->frame().width()), int(view->frame().height()));
            view->widget()->setParent(container);
            view->widget()->move(0, 0);
            view->widget()->show();
            lent.emplace_back(view);
            auto* widgetAction = new QWidgetAction(menu.get());
            widgetAction->setDefaultWidget(container);
            action = widgetAction;
            menu->addAction(action);
        } else {
            action = menu->addAction(iconFromImage(item->image()), item->title());
        }
        action->setEnabled(isItemShownEnabled(*item));
        actions.emplace_back(action, item.get());
    }
    return menu;
}

bool Menu::popUpMenuPositioningItem(MenuItem* item, Point location, View* view)
{
    if (tracking_)
        return false;
    chosen_.reset();
    cancelled_ = false;
    if (delegate_)
        delegate_->menuWillOpen(*this);
    tracking_ = true;
    NotificationCenter::defaultCenter().postNotificationName(NSMenuDidBeginTrackingNotification, this);

    if (!cancelled_ && !chosen_) {
        Point onScreen = location;
        if (view) {
            onScreen = view->convertPointToView(location, nullptr);
            if (const Window* window = view->window())
                onScreen = window->convertBaseToScreen(onScreen);
        }
        const QScreen* primary = QGuiApplication::primaryScreen();
        const QPoint global = QtCoordinates::screenPointToQt(onScreen, primary ? primary->geometry() : QRect());

        std::vector<std::pair<QAction*, MenuItem*>> actions;
        std::vector<WeakRef<View>> lent;
        std::unique_ptr<QMenu> menu = buildQtMenu(actions, lent);
        QAction* at = nullptr;
        for (const auto& [action, menuItem] : actions)
            if (menuItem == item)
                at = action;
        shown_ = menu.get();
        QAction* picked = menu->exec(global, at);
        shown_ = nullptr;
        for (const auto& [action, menuItem] : actions)
            if (action == picked && !chosen_)
                chosen_ = menuItem;
        for (const WeakRef<View>& held : lent) {
            if (View* back = held.get()) {
                back->widget()->hide();
                back->widget()->setParent(nullptr);
            }
        }
    }

    tracking_ = false;
    NotificationCenter::defaultCenter().postNotificationName(NSMenuDidEndTrackingNotification, this);
    if (delegate_)
        delegate_->menuDidClose(*this);
    MenuItem* chosen = chosen_.get();
    chosen_.reset();
    if (!chosen || !isItemShownEnabled(*chosen))
        return false;
    if (const MenuItem::Action action = chosen->action())
        action(*chosen);
    return true;
}

void Menu::cancelTracking()
{
    if (!tracking_)
        return;
    cancelled_ = true;
    if (shown_)
        shown_->close();
}

void Menu::performActionForItemAtIndex(int index)
{
    MenuItem* item = itemAtIndex(index);
    if (!item || !isItemShownEnabled(*item))
        return;
    if (tracking_) {
        chosen_ = item;
        if (shown_)
            shown_->close();
        return;
    }
    if (const MenuItem::Action action = item->action())
        action(*item);
}

} // namespace platform::ui
