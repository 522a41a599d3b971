#include "QuickVisitViewController.h"

QuickVisitViewController::QuickVisitViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

QuickVisitViewController::~QuickVisitViewController() = default;
