#pragma once

#include "platform/ui/TextFieldCell.h"

// What the five icon-and-text cells share: the icon in a slice at the left of the frame, an
// editor and a natural size that leave room for the icon. Each cell gives its slice's
// constants.
class IconCell : public platform::ui::TextFieldCell {
public:
    // S: the slice's width; dx: the icon's inset; a: its lift; s: its side.
    struct SliceShape {
        double width;
        double inset;
        double lift;
        double side;
    };
    struct Slice {
        bool hasIcon = false;
        platform::ui::Rect slice;
        platform::ui::Rect icon;
        platform::ui::Rect remainder; // what the rest of the drawing gets
    };

    explicit IconCell(SliceShape shape) : shape_(shape) {}

    // Where the icon goes in a frame: without an image nothing is cut.
    static Slice iconSlice(const platform::ui::Rect& frame, bool hasImage, SliceShape shape);
    Slice iconSlice(const platform::ui::Rect& frame) const { return iconSlice(frame, !image().isNull(), shape_); }
    // The image's own size at the left, centred in height; zero without an image.
    platform::ui::Rect imageFrameForCellFrame(const platform::ui::Rect& cellFrame) const; // kept: named by the design, no caller yet

    void editWithFrame(const platform::ui::Rect& frame, platform::ui::View& controlView,
                       platform::ui::FieldEditor& editor, const platform::ui::Event* event) override;
    void selectWithFrame(const platform::ui::Rect& frame, platform::ui::View& controlView,
                         platform::ui::FieldEditor& editor, int start, int length) override;
    platform::ui::Size cellSize() const override;

protected:
    // Fills the slice with the background (when the cell draws one) and draws the icon.
    void drawIcon(const Slice& slice) const;
    // The frame less the room the editor leaves for the icon: its width and 3 points.
    platform::ui::Rect editingFrame(const platform::ui::Rect& frame) const;

private:
    SliceShape shape_;
};

// The style of the texts the cells draw themselves: tail truncation, left alignment.
platform::ui::AttributedString::Attributes cellTextAttributes(const platform::ui::Font& font,
                                                              const platform::ui::Color& color);
// A top held as a 32-bit float, as the cells keep some of their positions.
inline double singlePrecision(double value)
{
    return double(float(value));
}
