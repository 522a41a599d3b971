#pragma once

#include "FormatTypeVCDelegate.h"
#include "SortSelectBgViewDelegate.h"

#include "platform/ui/ViewController.h"

#include <QString>

#include <array>

class SortSelectBgView;

// The small chooser of the new file system that drops from the format confirmation: three
// rows, and the pointer's entry and exit reported to the delegate.
class FormatTypeViewController : public platform::ui::ViewController, public SortSelectBgViewDelegate {
public:
    // Row number to the type's name, as the erase command takes it; none outside 0 to 2.
    static QString typeForRow(int row);

    explicit FormatTypeViewController(QString nibName = QStringLiteral("FormatTypeViewController"));

    // Not owned: the confirmation owns the chooser.
    void setDelegate(FormatTypeVCDelegate* delegate) { delegate_ = delegate; }

    void mouseEntered();
    void mouseExited();
    // Whether the pointer (in screen coordinates) is over the chooser's window; when it is, the
    // row beneath it is lit, as if the pointer had come in (a window that opens under the pointer
    // hears of no entry).
    bool takePointerAt(platform::ui::Point pointer);
    void selectSortType(SortSelectBgView& row) override;

    SortSelectBgView* view_1() const { return rows_[0]; } // kept: named by the design, no caller yet
    SortSelectBgView* view_2() const { return rows_[1]; } // kept: named by the design, no caller yet
    SortSelectBgView* view_4() const { return rows_[2]; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void FormatTypeViewControllerView();

    std::array<SortSelectBgView*, 3> rows_{};
    FormatTypeVCDelegate* delegate_ = nullptr;
};
