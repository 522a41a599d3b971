#pragma once

#include "View.h"
#include "WeakRef.h"

#include <QString>

#include <memory>

namespace platform::ui {

// Owns one view, built on the first request: loadView, then awakeFromNib, then viewDidLoad.
// A subclass overrides loadView and builds its views there in one function named after its
// interface file. The view is placed in a window by reference (addSubview(View&)), so it
// stays the controller's.
class ViewController : public Referable {
public:
    explicit ViewController(QString nibName = {});
    ~ViewController() override;

    View* view();
    void setView(std::unique_ptr<View> view);
    const QString& nibName() const { return nibName_; }

protected:
    // The default makes an empty view.
    virtual void loadView();
    virtual void awakeFromNib() {}
    virtual void viewDidLoad() {}

private:
    QString nibName_;
    std::unique_ptr<View> view_;
    bool loading_ = false;
};

} // namespace platform::ui
