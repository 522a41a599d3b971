#pragma once

#include <QVariant>

namespace platform::ui {

class TableColumn;
class TableView;

// Where a table gets its rows: their number and each cell's value. Every operation is
// optional; a table without a data source has no rows.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;

    virtual int numberOfRowsInTableView(TableView& /*tableView*/) { return 0; }
    // The value of a column's cell in a row (objectValueForTableColumn).
    virtual QVariant tableView(TableView& /*tableView*/, TableColumn* /*column*/, int /*row*/) { return {}; }
    // A click changed a cell's value: a check box's new state (setObjectValue).
    virtual void tableView(TableView& /*tableView*/, const QVariant& /*value*/, TableColumn* /*column*/, int /*row*/) {}
};

} // namespace platform::ui
