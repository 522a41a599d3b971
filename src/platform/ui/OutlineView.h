#pragma once

#include "OutlineViewDataSource.h"
#include "OutlineViewDelegate.h"
#include "TableView.h"

#include <unordered_set>
#include <vector>

namespace platform::ui {

// A table whose rows are a tree of items: the root's children, and under each expanded item
// its own children, indented in the outline column beside a disclosure triangle. Items are
// the data source's objects, known by address; the outline never looks inside them. The
// selection follows its item when rows come and go. A data source whose tree loops back on
// itself shows each loop once.
class OutlineView : public TableView {
public:
    explicit OutlineView(const Rect& frame = {});

    OutlineViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(OutlineViewDataSource* dataSource);
    OutlineViewDelegate* delegate() const { return delegate_; }
    void setDelegate(OutlineViewDelegate* delegate) { delegate_ = delegate; }

    // Asks the data source again for every item. Expanded items that no longer appear are
    // forgotten, so a new item at a freed address does not open by itself.
    void reloadData() override;

    // Null with expandChildren opens (or closes) everything.
    void expandItem(OutlineItem item, bool expandChildren = false);
    void collapseItem(OutlineItem item, bool collapseChildren = false);
    bool isItemExpanded(OutlineItem item) const;

    OutlineItem itemAtRow(int row) const;
    // -1 when the item is not shown.
    int rowForItem(OutlineItem item) const;
    int levelForRow(int row) const;

    // The column with the triangles and the indentation; the first column unless set.
    TableColumn* outlineTableColumn() const;
    void setOutlineTableColumn(TableColumn* column) { outlineColumn_ = column; }

    Rect frameOfCellAtColumn(int column, int row) const override;
    // The disclosure triangle's place; empty for an item that does not expand.
    Rect frameOfOutlineCellAtRow(int row) const;
    void drawRow(int row, const Rect& clipRect) override;

protected:
    int countRows() override;
    QVariant objectValueFor(TableColumn* column, int row) override;
    void setObjectValueFor(const QVariant& value, TableColumn* column, int row) override;
    void willDisplayCell(Cell& cell, TableColumn* column, int row) override;
    bool shouldSelectRow(int row) override;
    void selectionDidChange() override;
    bool handleRowClick(int row, Point point) override;

private:
    struct Row {
        OutlineItem item;
        int level;
        bool expandable;
    };

    void refresh(bool forgetHidden);
    void appendChildren(OutlineItem parent, int level, std::vector<OutlineItem>& ancestors,
                        std::unordered_set<OutlineItem>& shownExpanded);
    void expandTree(OutlineItem item, bool expandChildren, std::vector<OutlineItem>& ancestors,
                    std::vector<OutlineItem>& opened);
    void collapseTree(OutlineItem item, int depth);
    int outlineColumnIndex() const;

    OutlineViewDataSource* dataSource_ = nullptr;
    OutlineViewDelegate* delegate_ = nullptr;
    std::vector<Row> rows_;
    std::unordered_set<OutlineItem> expanded_;
    TableColumn* outlineColumn_ = nullptr;
};

} // namespace platform::ui
