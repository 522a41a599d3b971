#pragma once

#include "OutlineViewDataSource.h"

namespace platform::ui {

class Cell;

// What an outline tells and asks its delegate. Every operation is optional. Whether an item
// may be selected takes the same arguments as the data source's count of children, so it
// keeps its own name.
class OutlineViewDelegate {
public:
    virtual ~OutlineViewDelegate() = default;

    // Just before an item's cell draws (willDisplayCell:forTableColumn:item:).
    virtual void outlineView(OutlineView& /*outlineView*/, Cell& /*cell*/, TableColumn* /*column*/, OutlineItem /*item*/) {}
    virtual bool shouldSelectItem(OutlineView& /*outlineView*/, OutlineItem /*item*/) { return true; }
    virtual void outlineViewSelectionDidChange(OutlineView& /*outlineView*/) {}
    virtual void outlineViewItemDidExpand(OutlineView& /*outlineView*/, OutlineItem /*item*/) {}
    virtual void outlineViewItemDidCollapse(OutlineView& /*outlineView*/, OutlineItem /*item*/) {}
};

} // namespace platform::ui
