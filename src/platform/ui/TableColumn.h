#pragma once

#include "Cell.h"
#include "TextFieldCell.h"

#include <QString>

#include <memory>

namespace platform::ui {

// One column of a table, found by its identifier. Its one data cell draws every row of the
// column in turn; the column owns it.
class TableColumn {
public:
    explicit TableColumn(const QString& identifier, double width = 100)
        : identifier_(identifier), width_(width), dataCell_(std::make_unique<TextFieldCell>())
    {
    }

    const QString& identifier() const { return identifier_; }
    double width() const { return width_; }
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }

    Cell* dataCell() const { return dataCell_.get(); }
    // Null is ignored: a column always has a cell.
    void setDataCell(std::unique_ptr<Cell> cell)
    {
        if (cell)
            dataCell_ = std::move(cell);
    }

private:
    QString identifier_;
    double width_;
    bool editable_ = true;
    std::unique_ptr<Cell> dataCell_;
};

} // namespace platform::ui
