#pragma once

// Hears clicks on a TableViewBgView.
class TableViewBgViewDelegate {
public:
    virtual ~TableViewBgViewDelegate() = default;

    virtual void mouseDownAction() {}
};
