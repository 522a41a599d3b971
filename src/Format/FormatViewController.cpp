#include "FormatViewController.h"

#include "controls/TextImageButton.h"

using namespace platform::ui;

FormatViewController::FormatViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

void FormatViewController::loadView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 300, 120));
    auto button = [&](const Rect& frame, const QString& set, const QString& title, void (FormatViewController::*action)()) {
        auto made = std::make_unique<TextImageButton>(frame);
        made->setImageFromFileNormalName(set, set + QStringLiteral("_press"), set + QStringLiteral("_hover"),
                                         set + QStringLiteral("_disable"));
        made->setTextWithName(title, 12);
        made->setButtonEnabled(true);
        made->setAction([this, action](Button&) { (this->*action)(); });
        return root->addSubview(std::move(made));
    };
    cancelBut_ = button(Rect(104, 14, 88, 28), QStringLiteral("btn_cancel"), QStringLiteral("Cancel"),
                        &FormatViewController::cancelButtonAction);
    contectBut_ = button(Rect(200, 14, 88, 28), QStringLiteral("btn_pri"), QStringLiteral("Continue"),
                         &FormatViewController::continueButtonAction);
    setView(std::move(root));
}

void FormatViewController::cancelButtonAction()
{
    closeWindow();
}

void FormatViewController::continueButtonAction()
{
    if (delegate_)
        delegate_->formatContinueAction();
    closeWindow();
}
