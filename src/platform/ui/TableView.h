#pragma once

#include "Color.h"
#include "TableColumn.h"
#include "View.h"

#include <QVariant>

#include <memory>
#include <vector>

namespace platform::ui {

class Cell;
class TableViewDataSource;
class TableViewDelegate;

enum class TableViewSelectionHighlightStyle { None = -1, Regular = 0, SourceList = 1 };

// Rows of cells under columns, drawn flipped (row 0 at the top). The table asks its data
// source for the rows and values when it draws, lets its delegate adjust each cell just before
// it draws, and draws only the rows in view. A click selects the row the delegate allows;
// a click on a button cell (a check box, a link) is followed by that cell: on release inside
// it advances the cell's state and runs the cell's action, or, when the cell has none, hands
// the new state to the data source. Rows are a fixed height apart; the table grows to its rows
// (at least the height of the clip view it scrolls in).
class TableView : public View {
public:
    explicit TableView(const Rect& frame = {});
    ~TableView() override;

    bool isFlipped() const override { return true; }
    bool mouseDownCanMoveWindow() const override { return false; }

    // Data source and delegate: not owned.
    TableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TableViewDataSource* dataSource);
    TableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(TableViewDelegate* delegate) { delegate_ = delegate; }

    // Columns, left to right.
    TableColumn* addTableColumn(std::unique_ptr<TableColumn> column);
    std::vector<TableColumn*> tableColumns() const;
    int columnWithIdentifier(const QString& identifier) const;
    int numberOfColumns() const { return int(columns_.size()); }

    // Rows.
    virtual void reloadData();
    int numberOfRows() const { return numberOfRows_; }
    void setRowHeight(double height);
    void setIntercellSpacing(Size spacing);

    // Geometry, in the table's flipped coordinates.
    Rect rectOfRow(int row) const;
    Rect rectOfColumn(int column) const;
    virtual Rect frameOfCellAtColumn(int column, int row) const;
    // -1 outside every row or column.
    int rowAtPoint(Point point) const;
    int columnAtPoint(Point point) const;
    // The first row and the number of rows that meet the rectangle.
    std::pair<int, int> rowsInRect(const Rect& rect) const;
    // The part of the table that its superviews show.
    Rect visibleRect() const;

    // Selection: one row or none.
    int selectedRow() const { return selectedRow_; }
    bool isRowSelected(int row) const { return row >= 0 && row == selectedRow_; }
    void setSelectionHighlightStyle(TableViewSelectionHighlightStyle style);

    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);

    // The row of column titles. The table does not draw it: whoever shows the table places
    // it; it is not owned and reads as none once destroyed.
    View* headerView() const { return headerView_.get(); }
    void setHeaderView(View* headerView) { headerView_ = headerView; }

    // The column's cell holding the row's value, as it would draw.
    Cell* preparedCellAtColumn(int column, int row);

    // Drawing: the background, the selection, then each row in view.
    void drawRect(const Rect& dirtyRect) override;
    virtual void drawRow(int row, const Rect& clipRect);
    virtual void highlightSelectionInClipRect(const Rect& clipRect);

    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;

protected:
    // What the rows come from; the outline view answers these from its items.
    virtual int countRows();
    virtual QVariant objectValueFor(TableColumn* column, int row);
    virtual void setObjectValueFor(const QVariant& value, TableColumn* column, int row);
    virtual void willDisplayCell(Cell& cell, TableColumn* column, int row);
    virtual bool shouldSelectRow(int row);
    virtual void selectionDidChange();
    // A click at a point of a row before selection; true when it was taken (the disclosure
    // triangle of an outline).
    virtual bool handleRowClick(int row, Point point);

    // Sets the height to the rows (at least the clip view's) and the width to the columns.
    void tile();
    // Changes the selection without telling anyone.
    void setSelectedRowQuietly(int row) { selectedRow_ = row; }

private:
    struct Tracking {
        int row = -1;
        int column = -1;
        bool inside = false;
    };

    double rowStride() const { return rowHeight_ + intercellSpacing_.height; }
    Point pointOf(const Event& event) const;
    void changeSelection(int row);

    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    std::vector<std::unique_ptr<TableColumn>> columns_;
    int numberOfRows_ = 0;
    double rowHeight_ = 17;
    Size intercellSpacing_{3, 2};
    int selectedRow_ = -1;
    TableViewSelectionHighlightStyle highlightStyle_ = TableViewSelectionHighlightStyle::Regular;
    Color backgroundColor_ = Color::controlBackgroundColor();
    Tracking tracking_;
    WeakRef<View> headerView_;
};

} // namespace platform::ui
