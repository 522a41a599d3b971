#include "UninstallViewController.h"

UninstallViewController::UninstallViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

UninstallViewController::~UninstallViewController() = default;
