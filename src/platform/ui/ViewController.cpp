#include "ViewController.h"

namespace platform::ui {

ViewController::ViewController(QString nibName)
    : nibName_(std::move(nibName))
{
}

ViewController::~ViewController() = default;

View* ViewController::view()
{
    if (!view_ && !loading_) {
        loading_ = true; // awakeFromNib may ask for the view again
        loadView();
        if (!view_)
            view_ = std::make_unique<View>();
        awakeFromNib();
        viewDidLoad();
        loading_ = false;
    }
    return view_.get();
}

void ViewController::setView(std::unique_ptr<View> view)
{
    view_ = std::move(view);
}

void ViewController::loadView()
{
    setView(std::make_unique<View>());
}

} // namespace platform::ui
