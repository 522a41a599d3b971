#pragma once

namespace platform::ui {

// The Mac's numbers for text alignment and line breaking.
enum class TextAlignment { Left = 0, Right = 1, Center = 2, Justified = 3, Natural = 4 };
enum class LineBreakMode {
    ByWordWrapping = 0,
    ByCharWrapping = 1,
    ByClipping = 2,
    ByTruncatingHead = 3,
    ByTruncatingTail = 4,
    ByTruncatingMiddle = 5,
};

struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::Natural;
    LineBreakMode lineBreakMode = LineBreakMode::ByWordWrapping;

    static ParagraphStyle defaultParagraphStyle() { return {}; }
    bool operator==(const ParagraphStyle& other) const = default;
};

} // namespace platform::ui
