#include "CleanUpViewController.h"

CleanUpViewController::CleanUpViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

CleanUpViewController::~CleanUpViewController() = default;
