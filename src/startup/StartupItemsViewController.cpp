#include "StartupItemsViewController.h"

StartupItemsViewController::StartupItemsViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

StartupItemsViewController::~StartupItemsViewController() = default;
