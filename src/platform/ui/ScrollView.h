#pragma once

#include "ClipView.h"
#include "Scroller.h"
#include "View.h"

#include <memory>

namespace platform::ui {

// A view that shows part of a larger document through its clip view and scrolls it with the
// wheel. The scrollers' look is left to subclasses; this one draws none.
class ScrollView : public View {
public:
    explicit ScrollView(const Rect& frame = {});

    ClipView* contentView() const { return clip_; }
    View* documentView() const { return clip_->documentView(); }
    template <class T>
    T* setDocumentView(std::unique_ptr<T> view)
    {
        T* raw = view.get();
        clip_->setDocumentView(std::move(view));
        return raw;
    }
    Rect documentVisibleRect() const { return clip_->documentVisibleRect(); }

    void setHasVerticalScroller(bool) {} // scrolling is by the wheel alone
    bool drawsBackground() const { return clip_->drawsBackground(); }
    void setDrawsBackground(bool draws) { clip_->setDrawsBackground(draws); }

    // A wheel turn moves the document by its distance, within the document.
    void scrollWheel(const Event& event) override;

    // The vertical scroller, when one is set (the scroll view owns it): it shows where the
    // shown part lies and follows every scroll.
    Scroller* verticalScroller() const { return scroller_; }
    void setVerticalScroller(std::unique_ptr<Scroller> scroller);
    // Lays out the clip view and the scroller: runs when the size or the scroller changes.
    virtual void tile();
    // Tells the scroller where the clip view now shows the document.
    void reflectScrolledClipView();
    void resizeSubviewsWithOldSize(Size oldSize) override;

protected:
    // The clip view takes the width less `scrollerWidth`; the scroller stands in that strip
    // along the right edge.
    void tileWithScrollerWidth(double scrollerWidth);

private:
    ClipView* clip_;
    Scroller* scroller_ = nullptr;
};

} // namespace platform::ui
