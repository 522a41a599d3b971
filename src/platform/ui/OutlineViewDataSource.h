#pragma once

#include <QVariant>

namespace platform::ui {

class OutlineView;
class TableColumn;

// An item of an outline: the data source's own object, known to the outline only by its
// address; null is the invisible root.
using OutlineItem = void*;

// Where an outline gets its items. Every operation is optional; an outline without a data
// source has no rows. Counting the children and asking whether an item expands take the
// same arguments, so they keep their own names.
class OutlineViewDataSource {
public:
    virtual ~OutlineViewDataSource() = default;

    virtual int numberOfChildrenOfItem(OutlineView& /*outlineView*/, OutlineItem /*item*/) { return 0; }
    // The child at an index (child:ofItem:); null for an index out of range.
    virtual OutlineItem outlineView(OutlineView& /*outlineView*/, int /*index*/, OutlineItem /*item*/) { return nullptr; }
    virtual bool isItemExpandable(OutlineView& /*outlineView*/, OutlineItem /*item*/) { return false; }
    // The value of a column's cell for an item (objectValueForTableColumn:byItem:).
    virtual QVariant outlineView(OutlineView& /*outlineView*/, TableColumn* /*column*/, OutlineItem /*item*/) { return {}; }
    // A click changed a cell's value (setObjectValue:forTableColumn:byItem:).
    virtual void outlineView(OutlineView& /*outlineView*/, const QVariant& /*value*/, TableColumn* /*column*/,
                             OutlineItem /*item*/)
    {
    }
};

} // namespace platform::ui
