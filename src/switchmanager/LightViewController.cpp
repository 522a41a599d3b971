#include "LightViewController.h"

#include "platform/ui/TextField.h"

LightViewController::LightViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

LightViewController::~LightViewController() = default;

void LightViewController::loadView()
{
    auto pane = std::make_unique<platform::ui::View>(platform::ui::Rect(0, 0, 220, 32));
    auto label = platform::ui::TextField::labelWithString(QStringLiteral("Brightness: not adjustable yet"));
    label->setFrame(platform::ui::Rect(10, 6, 200, 20));
    pane->addSubview(std::move(label));
    setView(std::move(pane));
}
