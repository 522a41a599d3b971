#pragma once

#include "Color.h"
#include "View.h"

#include <memory>

namespace platform::ui {

// The window of a scroll view onto its document: a flipped view under which the document
// slides. The scroll position is the document point shown at the clip view's top left; it
// stays within the document (never past its end, never negative).
class ClipView : public View {
public:
    explicit ClipView(const Rect& frame = {});

    bool isFlipped() const override { return true; }

    View* documentView() const { return document_; }
    // The clip view owns the document; the previous one is destroyed.
    void setDocumentView(std::unique_ptr<View> view);

    Point scrollPosition() const { return position_; }
    // Scrolls as close to `point` as the document allows.
    void scrollToPoint(Point point);
    Point constrainScrollPoint(Point point) const;
    // The part of the document shown, in the document's own coordinates.
    Rect documentVisibleRect() const;
    // Puts the document back under the scroll position after it changed size.
    void documentFrameChanged();

    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);

    void drawRect(const Rect& dirtyRect) override;
    void resizeSubviewsWithOldSize(Size oldSize) override;

private:
    View* document_ = nullptr;
    Point position_;
    Color backgroundColor_ = Color::controlBackgroundColor();
    bool drawsBackground_ = true;
};

} // namespace platform::ui
