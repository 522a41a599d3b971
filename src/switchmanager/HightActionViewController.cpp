#include "HightActionViewController.h"

HightActionViewController::HightActionViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

HightActionViewController::~HightActionViewController() = default;
