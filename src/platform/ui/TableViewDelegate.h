#pragma once

namespace platform::ui {

class Cell;
class TableColumn;
class TableView;

// What a table tells and asks its delegate while it draws and selects. Every operation is
// optional.
class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;

    // Just before a row's cell draws (willDisplayCell): the last word on its image and text.
    virtual void tableView(TableView& /*tableView*/, Cell& /*cell*/, TableColumn* /*column*/, int /*row*/) {}
    // Whether a click may select the row (shouldSelectRow).
    virtual bool tableView(TableView& /*tableView*/, int /*row*/) { return true; }
    virtual void tableViewSelectionDidChange(TableView& /*tableView*/) {}
};

} // namespace platform::ui
