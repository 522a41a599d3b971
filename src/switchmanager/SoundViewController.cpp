#include "SoundViewController.h"

SoundViewController::SoundViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

SoundViewController::~SoundViewController() = default;
