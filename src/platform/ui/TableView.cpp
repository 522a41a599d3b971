#include "TableView.h"

#include "ClipView.h"
#include "Event.h"
#include "GraphicsContext.h"
#include "TableViewDataSource.h"
#include "TableViewDelegate.h"

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {

Rect intersection(const Rect& a, const Rect& b)
{
    const double x0 = std::max(a.minX(), b.minX());
    const double y0 = std::max(a.minY(), b.minY());
    const double x1 = std::min(a.maxX(), b.maxX());
    const double y1 = std::min(a.maxY(), b.maxY());
    if (x1 <= x0 || y1 <= y0)
        return {};
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

} // namespace

TableView::TableView(const Rect& frame)
    : View(frame)
{
}

TableView::~TableView() = default;

void TableView::setDataSource(TableViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadData();
}

TableColumn* TableView::addTableColumn(std::unique_ptr<TableColumn> column)
{
    if (!column)
        return nullptr;
    columns_.push_back(std::move(column));
    tile();
    setNeedsDisplay();
    return columns_.back().get();
}

std::vector<TableColumn*> TableView::tableColumns() const
{
    std::vector<TableColumn*> result;
    for (const auto& column : columns_)
        result.push_back(column.get());
    return result;
}

int TableView::columnWithIdentifier(const QString& identifier) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i]->identifier() == identifier)
            return int(i);
    return -1;
}

void TableView::reloadData()
{
    numberOfRows_ = std::max(0, countRows());
    if (tracking_.row >= numberOfRows_)
        tracking_ = {};
    tile();
    setNeedsDisplay();
    if (selectedRow_ >= numberOfRows_)
        changeSelection(-1);
}

void TableView::setRowHeight(double height)
{
    rowHeight_ = std::max(0.0, height);
    tile();
    setNeedsDisplay();
}

void TableView::setIntercellSpacing(Size spacing)
{
    intercellSpacing_ = {std::max(0.0, spacing.width), std::max(0.0, spacing.height)};
    tile();
    setNeedsDisplay();
}

void TableView::tile()
{
    double columnsWidth = 0;
    for (const auto& column : columns_)
        columnsWidth += column->width() + intercellSpacing_.width;
    Size size{std::max(frame().width(), columnsWidth), numberOfRows_ * rowStride()};
    auto* clip = dynamic_cast<ClipView*>(superview());
    if (clip)
        size.height = std::max(size.height, clip->frame().height());
    if (size != frame().size)
        setFrameSize(size);
    if (clip)
        clip->documentFrameChanged();
}

Rect TableView::rectOfRow(int row) const
{
    if (row < 0 || row >= numberOfRows_)
        return {};
    return Rect(0, row * rowStride(), bounds().width(), rowStride());
}

Rect TableView::rectOfColumn(int column) const
{
    if (column < 0 || column >= numberOfColumns())
        return {};
    double x = 0;
    for (int i = 0; i < column; ++i)
        x += columns_[size_t(i)]->width() + intercellSpacing_.width;
    return Rect(x, 0, columns_[size_t(column)]->width() + intercellSpacing_.width, bounds().height());
}

Rect TableView::frameOfCellAtColumn(int column, int row) const
{
    const Rect rowRect = rectOfRow(row);
    const Rect columnRect = rectOfColumn(column);
    if (rowRect.isEmpty() || columnRect.isEmpty())
        return {};
    return Rect(columnRect.minX() + intercellSpacing_.width / 2, rowRect.minY() + intercellSpacing_.height / 2,
                columnRect.width() - intercellSpacing_.width, rowHeight_);
}

int TableView::rowAtPoint(Point point) const
{
    const double stride = rowStride();
    if (stride <= 0 || point.y < 0 || point.x < 0 || point.x >= bounds().width())
        return -1;
    const double row = std::floor(point.y / stride);
    return row < numberOfRows_ ? int(row) : -1;
}

int TableView::columnAtPoint(Point point) const
{
    for (int i = 0; i < numberOfColumns(); ++i) {
        const Rect rect = rectOfColumn(i);
        if (point.x >= rect.minX() && point.x < rect.maxX())
            return i;
    }
    return -1;
}

std::pair<int, int> TableView::rowsInRect(const Rect& rect) const
{
    const double stride = rowStride();
    if (stride <= 0 || rect.isEmpty() || numberOfRows_ == 0)
        return {0, 0};
    const double rows = numberOfRows_;
    const int first = int(std::clamp(std::floor(rect.minY() / stride), 0.0, rows));
    const int last = int(std::clamp(std::ceil(rect.maxY() / stride), 0.0, rows)) - 1;
    return {first, std::max(0, last - first + 1)};
}

Rect TableView::visibleRect() const
{
    Rect visible = bounds();
    for (const View* view = superview(); view && !visible.isEmpty(); view = view->superview())
        visible = intersection(visible, view->convertRectToView(view->bounds(), this));
    return visible;
}

void TableView::changeSelection(int row)
{
    if (row == selectedRow_)
        return;
    selectedRow_ = row;
    setNeedsDisplay();
    selectionDidChange();
}

void TableView::setSelectionHighlightStyle(TableViewSelectionHighlightStyle style)
{
    if (style == highlightStyle_)
        return;
    highlightStyle_ = style;
    setNeedsDisplay();
}

void TableView::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    setNeedsDisplay();
}

Cell* TableView::preparedCellAtColumn(int column, int row)
{
    if (column < 0 || column >= numberOfColumns() || row < 0 || row >= numberOfRows_)
        return nullptr;
    TableColumn* tableColumn = columns_[size_t(column)].get();
    Cell* cell = tableColumn->dataCell();
    cell->setObjectValue(objectValueFor(tableColumn, row));
    // Buttons show a press, not the row's selection.
    if (cell->tracksMouse())
        cell->setHighlighted(tracking_.row == row && tracking_.column == column && tracking_.inside);
    else
        cell->setHighlighted(isRowSelected(row) && highlightStyle_ != TableViewSelectionHighlightStyle::None);
    willDisplayCell(*cell, tableColumn, row);
    return cell;
}

void TableView::drawRect(const Rect& dirtyRect)
{
    const Rect clip = intersection(dirtyRect, visibleRect());
    if (clip.isEmpty())
        return;
    if (backgroundColor_.alphaComponent() > 0) {
        backgroundColor_.setFill();
        NSRectFillUsingOperation(clip, CompositingOperation::SourceOver);
    }
    if (highlightStyle_ != TableViewSelectionHighlightStyle::None)
        highlightSelectionInClipRect(clip);
    const auto [first, count] = rowsInRect(clip);
    for (int row = first; row < first + count; ++row)
        drawRow(row, clip);
}

void TableView::highlightSelectionInClipRect(const Rect& clipRect)
{
    const Rect rect = intersection(rectOfRow(selectedRow_), clipRect);
    if (rect.isEmpty())
        return;
    Color color = Color::alternateSelectedControlColor();
    if (highlightStyle_ == TableViewSelectionHighlightStyle::SourceList)
        color = color.colorWithAlphaComponent(0.25);
    color.setFill();
    NSRectFillUsingOperation(rect, CompositingOperation::SourceOver);
}

void TableView::drawRow(int row, const Rect& clipRect)
{
    for (int column = 0; column < numberOfColumns(); ++column) {
        const Rect frame = frameOfCellAtColumn(column, row);
        if (frame.maxX() < clipRect.minX() || frame.minX() > clipRect.maxX())
            continue;
        if (Cell* cell = preparedCellAtColumn(column, row))
            cell->drawWithFrame(frame, *this);
    }
}

Point TableView::pointOf(const Event& event) const
{
    return convertPointFromView(event.locationInWindow(), nullptr);
}

void TableView::mouseDown(const Event& event)
{
    const Point point = pointOf(event);
    const int row = rowAtPoint(point);
    const int column = row < 0 ? -1 : columnAtPoint(point);
    tracking_ = {};
    WeakRef<View> alive(this); // the delegate's answers may end the table
    if (row >= 0 && handleRowClick(row, point))
        return;
    if (row < 0)
        changeSelection(-1);
    else if (shouldSelectRow(row) && alive)
        changeSelection(row);
    if (!alive)
        return;
    if (column < 0)
        return;
    Cell* cell = preparedCellAtColumn(column, row);
    if (alive && cell && cell->tracksMouse() && cell->isEnabled()) {
        tracking_ = {row, column, true};
        setNeedsDisplayInRect(frameOfCellAtColumn(column, row));
    }
}

void TableView::mouseDragged(const Event& event)
{
    if (tracking_.row < 0)
        return;
    const Rect frame = frameOfCellAtColumn(tracking_.column, tracking_.row);
    const bool inside = frame.containsPoint(pointOf(event));
    if (inside != tracking_.inside) {
        tracking_.inside = inside;
        setNeedsDisplayInRect(frame);
    }
}

void TableView::mouseUp(const Event& event)
{
    const Tracking tracked = tracking_;
    tracking_ = {};
    if (tracked.row < 0 || tracked.row >= numberOfRows_ || tracked.column >= numberOfColumns())
        return;
    const Rect frame = frameOfCellAtColumn(tracked.column, tracked.row);
    setNeedsDisplayInRect(frame);
    if (!frame.containsPoint(pointOf(event)))
        return;
    TableColumn* column = columns_[size_t(tracked.column)].get();
    Cell* cell = preparedCellAtColumn(tracked.column, tracked.row);
    if (!cell || !cell->isEnabled())
        return;
    cell->performClickState();
    const int state = cell->state();
    const Cell::Action action = cell->action();
    WeakRef<View> alive(this);
    if (cell->isEditable() && column->isEditable())
        setObjectValueFor(QVariant(state), column, tracked.row);
    if (alive && action)
        action();
    if (alive)
        setNeedsDisplay();
}

int TableView::countRows()
{
    return dataSource_ ? dataSource_->numberOfRowsInTableView(*this) : 0;
}

QVariant TableView::objectValueFor(TableColumn* column, int row)
{
    return dataSource_ ? dataSource_->tableView(*this, column, row) : QVariant();
}

void TableView::setObjectValueFor(const QVariant& value, TableColumn* column, int row)
{
    if (dataSource_)
        dataSource_->tableView(*this, value, column, row);
}

void TableView::willDisplayCell(Cell& cell, TableColumn* column, int row)
{
    if (delegate_)
        delegate_->tableView(*this, cell, column, row);
}

bool TableView::shouldSelectRow(int row)
{
    return delegate_ ? delegate_->tableView(*this, row) : true;
}

void TableView::selectionDidChange()
{
    if (delegate_)
        delegate_->tableViewSelectionDidChange(*this);
}

bool TableView::handleRowClick(int, Point)
{
    return false;
}

} // namespace platform::ui
