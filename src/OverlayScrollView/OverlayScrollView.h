#pragma once

#include "platform/ui/ScrollView.h"

#include <cstdint>

// A scroll view whose vertical scroller floats over the content instead of taking width from
// it, and starts below the header row of the table that it holds.
class OverlayScrollView : public platform::ui::ScrollView {
public:
    explicit OverlayScrollView(const platform::ui::Rect& frame = {});

    // Once the table is inside: the header offset is taken here.
    void awakeFromNib();

    // The height of the header of the first table that a clip view holds; 0 without one.
    std::int64_t tableHeaderOffsetFromSuperview() const;

    std::int64_t headerOffset() const { return headerOffset_; } // kept: named by the design, no caller yet
    void setHeaderOffset(std::int64_t offset) { headerOffset_ = offset; } // kept: named by the design, no caller yet

    // The clip view takes the whole width; the scroller lies over its right edge, below the
    // header strip, above every sibling.
    void tile() override;

private:
    std::int64_t headerOffset_ = 0;
};

// Orders an overlay scroller after its siblings (so it is drawn on top); other views keep
// their order. The context is not used.
int scrollerAboveSiblingViewsComparator(platform::ui::View* first, platform::ui::View* second, void* context);
