#pragma once

#include "Font.h"
#include "Geometry.h"
#include "MenuItem.h"
#include "WeakRef.h"

#include <QString>

#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace platform::ui {

class MenuDelegate;
class View;

// Posted with the menu as object when a pop-up begins and ends.
inline const QString NSMenuDidBeginTrackingNotification = QStringLiteral("NSMenuDidBeginTrackingNotification");
inline const QString NSMenuDidEndTrackingNotification = QStringLiteral("NSMenuDidEndTrackingNotification");

// A list of items that pops up and runs until it closes. The menu owns its items.
class Menu : public Referable {
public:
    explicit Menu(QString title = {});
    ~Menu() override;

    const QString& title() const { return title_; }

    MenuItem* addItem(std::unique_ptr<MenuItem> item);
    MenuItem* addItemWithTitle(const QString& title, MenuItem::Action action, const QString& keyEquivalent);
    // An index past the end appends.
    MenuItem* insertItem(std::unique_ptr<MenuItem> item, int index);
    int numberOfItems() const { return int(items_.size()); }
    MenuItem* itemAtIndex(int index) const;

    // With autoenabling (the default) an item is enabled when it has an action or a view of
    // its own; without, as the item says.
    void setAutoenablesItems(bool autoenables) { autoenables_ = autoenables; }
    bool isItemShownEnabled(const MenuItem& item) const;

    // The font of the items' titles; none set means the desktop's.
    const Font& font() const { return font_; }
    void setFont(const Font& font) { font_ = font; }

    // Not owned.
    MenuDelegate* delegate() const { return delegate_; }
    void setDelegate(MenuDelegate* delegate) { delegate_ = delegate; }

    // Shows the menu with `item` (or the first item) at `location` in the view's coordinates
    // (screen coordinates without a view) and runs until the menu closes; then the chosen
    // item's action runs. Whether an item was chosen. The menu must outlive the call.
    bool popUpMenuPositioningItem(MenuItem* item, Point location, View* view);
    bool isTracking() const { return tracking_; }
    // Closes the menu that is up, or the one about to come up, without choosing.
    void cancelTracking();
    // Chooses the item: during a pop-up the menu closes and the action runs after; otherwise
    // the action runs at once. Disabled items do nothing.
    void performActionForItemAtIndex(int index);

private:
    // The Qt menu for the items; `lent` gets the items' own views, which it holds meanwhile.
    std::unique_ptr<QMenu> buildQtMenu(std::vector<std::pair<QAction*, MenuItem*>>& actions,
                                       std::vector<WeakRef<View>>& lent);

    QString title_;
    std::vector<std::unique_ptr<MenuItem>> items_;
    bool autoenables_ = true;
    Font font_;
    MenuDelegate* delegate_ = nullptr;
    bool tracking_ = false;
    bool cancelled_ = false;
    WeakRef<MenuItem> chosen_;
    QMenu* shown_ = nullptr;
};

} // namespace platform::ui
