#pragma once

#include "Cell.h"
#include "Color.h"

namespace platform::ui {

// A cell that shows text: an optional background, then the text in its colour.
class TextFieldCell : public Cell {
public:
    TextFieldCell() = default;
    explicit TextFieldCell(const QString& text) : Cell(text) {}
    std::unique_ptr<Cell> copy() const override { return std::make_unique<TextFieldCell>(*this); }

    const Color& textColor() const { return textColor_; }
    void setTextColor(const Color& color) { textColor_ = color; }
    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color) { backgroundColor_ = color; }
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws) { drawsBackground_ = draws; }

    AttributedString attributedStringValue() const override;
    void drawWithFrame(const Rect& cellFrame, View& controlView) override;

private:
    Color textColor_ = Color::textColor();
    Color backgroundColor_ = Color::controlBackgroundColor();
    bool drawsBackground_ = false;
};

} // namespace platform::ui
