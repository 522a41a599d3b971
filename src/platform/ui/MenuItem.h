#pragma once

#include "Image.h"
#include "WeakRef.h"

#include <QString>

#include <functional>
#include <memory>

namespace platform::ui {

class Menu;
class View;

// One entry of a menu: a title with an optional image and an action, a separator, or a view
// of its own (which stays its owner's). The action runs once the menu has closed.
class MenuItem : public Referable {
public:
    using Action = std::function<void(MenuItem& sender)>;

    MenuItem(QString title = {}, Action action = {});
    ~MenuItem() override;
    static std::unique_ptr<MenuItem> separatorItem();

    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    const Image& image() const { return image_; }
    void setImage(const Image& image) { image_ = image; }
    const Action& action() const { return action_; }
    void setAction(Action action) { action_ = std::move(action); }
    bool isSeparatorItem() const { return separator_; }

    // As set; whether a menu shows the item enabled is the menu's call (see setAutoenablesItems).
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    View* view() const { return view_.get(); }
    void setView(View* view);

    Menu* menu() const { return menu_; }

private:
    friend class Menu;

    QString title_;
    Action action_;
    Image image_;
    bool enabled_ = true;
    bool separator_ = false;
    WeakRef<View> view_;
    Menu* menu_ = nullptr;
};

} // namespace platform::ui
