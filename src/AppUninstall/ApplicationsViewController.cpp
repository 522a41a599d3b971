#include "ApplicationsViewController.h"

ApplicationsViewController::ApplicationsViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

ApplicationsViewController::~ApplicationsViewController() = default;
