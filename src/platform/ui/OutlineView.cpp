#include "OutlineView.h"

#include "BezierPath.h"
#include "Color.h"

#include <algorithm>

namespace platform::ui {

namespace {

constexpr double kDisclosureWidth = 16;
constexpr double kIndentationPerLevel = 16;
// Deeper trees are shown to this depth; it also ends any loop a data source could make.
constexpr int kMaxDepth = 256;

} // namespace

OutlineView::OutlineView(const Rect& frame)
    : TableView(frame)
{
}

void OutlineView::setDataSource(OutlineViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadData();
}

void OutlineView::reloadData()
{
    refresh(true);
}

void OutlineView::refresh(bool forgetHidden)
{
    const OutlineItem selected = itemAtRow(selectedRow());
    const bool hadSelection = selectedRow() >= 0;
    rows_.clear();
    std::vector<OutlineItem> ancestors;
    std::unordered_set<OutlineItem> shownExpanded;
    appendChildren(nullptr, 0, ancestors, shownExpanded);
    if (forgetHidden)
        expanded_ = std::move(shownExpanded);
    const int row = selected ? rowForItem(selected) : -1;
    setSelectedRowQuietly(row);
    TableView::reloadData();
    if (hadSelection && row < 0)
        selectionDidChange();
}

void OutlineView::appendChildren(OutlineItem parent, int level, std::vector<OutlineItem>& ancestors,
                                 std::unordered_set<OutlineItem>& shownExpanded)
{
    if (!dataSource_ || level >= kMaxDepth)
        return;
    const int count = dataSource_->numberOfChildrenOfItem(*this, parent);
    for (int i = 0; i < count; ++i) {
        const OutlineItem child = dataSource_->outlineView(*this, i, parent);
        if (!child)
            continue;
        const bool expandable = dataSource_->isItemExpandable(*this, child);
        rows_.push_back({child, level, expandable});
        const bool loops = std::find(ancestors.begin(), ancestors.end(), child) != ancestors.end();
        if (!expandable || loops || !expanded_.count(child))
            continue;
        shownExpanded.insert(child);
        ancestors.push_back(child);
        appendChildren(child, level + 1, ancestors, shownExpanded);
        ancestors.pop_back();
    }
}

void OutlineView::expandItem(OutlineItem item, bool expandChildren)
{
    std::vector<OutlineItem> opened;
    std::vector<OutlineItem> ancestors;
    if (!item) {
        if (!expandChildren || !dataSource_)
            return;
        const int count = dataSource_->numberOfChildrenOfItem(*this, nullptr);
        for (int i = 0; i < count; ++i)
            expandTree(dataSource_->outlineView(*this, i, nullptr), true, ancestors, opened);
    } else {
        expandTree(item, expandChildren, ancestors, opened);
    }
    if (opened.empty())
        return;
    refresh(false);
    WeakRef<View> alive(this);
    for (OutlineItem each : opened)
        if (alive && delegate_)
            delegate_->outlineViewItemDidExpand(*this, each);
}

void OutlineView::expandTree(OutlineItem item, bool expandChildren, std::vector<OutlineItem>& ancestors,
                             std::vector<OutlineItem>& opened)
{
    if (!item || !dataSource_ || ancestors.size() >= size_t(kMaxDepth) || !dataSource_->isItemExpandable(*this, item))
        return;
    if (std::find(ancestors.begin(), ancestors.end(), item) != ancestors.end())
        return; // met again below itself: a loop
    if (expanded_.insert(item).second)
        opened.push_back(item);
    if (!expandChildren)
        return;
    ancestors.push_back(item);
    const int count = dataSource_->numberOfChildrenOfItem(*this, item);
    for (int i = 0; i < count; ++i)
        expandTree(dataSource_->outlineView(*this, i, item), true, ancestors, opened);
    ancestors.pop_back();
}

void OutlineView::collapseItem(OutlineItem item, bool collapseChildren)
{
    if (!item) {
        if (!collapseChildren || expanded_.empty())
            return;
        expanded_.clear();
        refresh(false);
        return;
    }
    const bool wasExpanded = expanded_.erase(item) > 0;
    if (collapseChildren)
        collapseTree(item, 0);
    if (!wasExpanded && !collapseChildren)
        return;
    refresh(false);
    if (wasExpanded && delegate_)
        delegate_->outlineViewItemDidCollapse(*this, item);
}

void OutlineView::collapseTree(OutlineItem item, int depth)
{
    if (!dataSource_ || depth >= kMaxDepth)
        return;
    const int count = dataSource_->numberOfChildrenOfItem(*this, item);
    for (int i = 0; i < count; ++i) {
        const OutlineItem child = dataSource_->outlineView(*this, i, item);
        if (child && expanded_.erase(child) > 0)
            collapseTree(child, depth + 1);
    }
}

bool OutlineView::isItemExpanded(OutlineItem item) const
{
    return item && expanded_.count(item) > 0;
}

OutlineItem OutlineView::itemAtRow(int row) const
{
    return row >= 0 && row < int(rows_.size()) ? rows_[size_t(row)].item : nullptr;
}

int OutlineView::rowForItem(OutlineItem item) const
{
    if (!item)
        return -1;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].item == item)
            return int(i);
    return -1;
}

int OutlineView::levelForRow(int row) const
{
    return row >= 0 && row < int(rows_.size()) ? rows_[size_t(row)].level : -1;
}

TableColumn* OutlineView::outlineTableColumn() const
{
    if (outlineColumn_)
        return outlineColumn_;
    const auto columns = tableColumns();
    return columns.empty() ? nullptr : columns.front();
}

int OutlineView::outlineColumnIndex() const
{
    const TableColumn* column = outlineTableColumn();
    const auto columns = tableColumns();
    const auto it = std::find(columns.begin(), columns.end(), column);
    return it == columns.end() ? -1 : int(it - columns.begin());
}

Rect OutlineView::frameOfCellAtColumn(int column, int row) const
{
    Rect frame = TableView::frameOfCellAtColumn(column, row);
    if (frame.isEmpty() || column != outlineColumnIndex())
        return frame;
    const double indent = std::min(frame.width(), kIndentationPerLevel * levelForRow(row) + kDisclosureWidth);
    frame.origin.x += indent;
    frame.size.width -= indent;
    return frame;
}

Rect OutlineView::frameOfOutlineCellAtRow(int row) const
{
    if (row < 0 || row >= int(rows_.size()) || !rows_[size_t(row)].expandable)
        return {};
    const Rect cell = TableView::frameOfCellAtColumn(outlineColumnIndex(), row);
    if (cell.isEmpty())
        return {};
    return Rect(cell.minX() + kIndentationPerLevel * levelForRow(row), cell.minY(), kDisclosureWidth, cell.height());
}

void OutlineView::drawRow(int row, const Rect& clipRect)
{
    TableView::drawRow(row, clipRect);
    const Rect box = frameOfOutlineCellAtRow(row);
    if (box.isEmpty())
        return;
    const double cx = box.midX();
    const double cy = box.midY();
    BezierPath triangle;
    if (isItemExpanded(itemAtRow(row))) { // pointing down (y grows downward here)
        triangle.moveToPoint({cx - 4, cy - 2});
        triangle.lineToPoint({cx + 4, cy - 2});
        triangle.lineToPoint({cx, cy + 3});
    } else {
        triangle.moveToPoint({cx - 2, cy - 4});
        triangle.lineToPoint({cx + 3, cy});
        triangle.lineToPoint({cx - 2, cy + 4});
    }
    triangle.closePath();
    Color::colorWithRed(0.45, 0.45, 0.45, 1).setFill();
    triangle.fill();
}

int OutlineView::countRows()
{
    return int(rows_.size());
}

QVariant OutlineView::objectValueFor(TableColumn* column, int row)
{
    const OutlineItem item = itemAtRow(row);
    return dataSource_ && item ? dataSource_->outlineView(*this, column, item) : QVariant();
}

void OutlineView::setObjectValueFor(const QVariant& value, TableColumn* column, int row)
{
    if (const OutlineItem item = itemAtRow(row); dataSource_ && item)
        dataSource_->outlineView(*this, value, column, item);
}

void OutlineView::willDisplayCell(Cell& cell, TableColumn* column, int row)
{
    if (const OutlineItem item = itemAtRow(row); delegate_ && item)
        delegate_->outlineView(*this, cell, column, item);
}

bool OutlineView::shouldSelectRow(int row)
{
    const OutlineItem item = itemAtRow(row);
    return delegate_ && item ? delegate_->shouldSelectItem(*this, item) : true;
}

void OutlineView::selectionDidChange()
{
    if (delegate_)
        delegate_->outlineViewSelectionDidChange(*this);
}

bool OutlineView::handleRowClick(int row, Point point)
{
    if (!frameOfOutlineCellAtRow(row).containsPoint(point))
        return false;
    const OutlineItem item = itemAtRow(row);
    if (isItemExpanded(item))
        collapseItem(item);
    else
        expandItem(item);
    return true;
}

} // namespace platform::ui
