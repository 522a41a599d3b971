#pragma once

#include "PopWindow/PopViewController.h"

// A small dialog that sends the person to the accessibility privacy settings. Nothing shows it.
class BluetoothViewController : public PopViewController {
public:
    explicit BluetoothViewController(QString nibName = QStringLiteral("BluetoothViewController"));

    void openSetView();

protected:
    void awakeFromNib() override {}
};
