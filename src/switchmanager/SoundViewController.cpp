#include "SoundViewController.h"

#include "platform/ui/TextField.h"

SoundViewController::SoundViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

SoundViewController::~SoundViewController() = default;

void SoundViewController::loadView()
{
    auto pane = std::make_unique<platform::ui::View>(platform::ui::Rect(0, 0, 220, 32));
    auto label = platform::ui::TextField::labelWithString(QStringLiteral("Volume: not adjustable yet"));
    label->setFrame(platform::ui::Rect(10, 6, 200, 20));
    pane->addSubview(std::move(label));
    setView(std::move(pane));
}
