#include "LightViewController.h"

LightViewController::LightViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

LightViewController::~LightViewController() = default;
