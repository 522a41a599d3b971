#pragma once

#include "platform/ui/ViewController.h"
#include "platform/ui/WeakRef.h"
#include "platform/ui/Window.h"

// The base of every dialog's view controller: it knows the window that hosts its view (its
// `superDelegate`) and closes it with closeWindow. The window belongs to whoever made it (the
// modal pop-up, for the run); once it is gone, superDelegate is null.
class PopViewController : public platform::ui::ViewController {
public:
    using ViewController::ViewController;

    platform::ui::Window* superDelegate() const { return superDelegate_.get(); }
    void setSuperDelegate(platform::ui::Window* window) { superDelegate_ = window; }

    // Closes the hosting window when there is one; for a modal pop-up that ends the run.
    virtual void closeWindow();

private:
    platform::ui::WeakRef<platform::ui::Window> superDelegate_;
};
