#pragma once

// Hears the file-system chooser: the pointer left (true) or entered (false) it, and which row
// was chosen.
class FormatTypeVCDelegate {
public:
    virtual ~FormatTypeVCDelegate() = default;
    virtual void mouseEixtView(bool exited) = 0;
    virtual void selectFormatbyType(int row) = 0;
};
