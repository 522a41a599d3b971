#pragma once

#include "Color.h"
#include "Font.h"
#include "Geometry.h"
#include "ParagraphStyle.h"

#include <QString>
#include <QVector>

#include <optional>

namespace platform::ui {

struct TextRange {
    qsizetype location = 0;
    qsizetype length = 0;
    bool operator==(const TextRange& other) const = default;
};

// Text with attributes over ranges. Later runs win where they overlap.
class AttributedString {
public:
    struct Attributes {
        std::optional<Color> foregroundColor;
        std::optional<Font> font;
        std::optional<ParagraphStyle> paragraphStyle;
        bool operator==(const Attributes& other) const = default;
    };
    struct Run {
        TextRange range;
        Attributes attributes;
        bool operator==(const Run& other) const = default;
    };

    AttributedString() = default;
    explicit AttributedString(QString string) : string_(std::move(string)) {}

    const QString& string() const { return string_; }
    qsizetype length() const { return string_.size(); }
    const QVector<Run>& runs() const { return runs_; }

    void beginEditing() {}
    void endEditing() {}
    // A range reaching past the end is cut at the end.
    void addForegroundColor(const Color& color, TextRange range);
    void addFont(const Font& font, TextRange range);
    void addParagraphStyle(const ParagraphStyle& style, TextRange range);

    // The attributes in effect at one character.
    Attributes attributesAtIndex(qsizetype index) const;

    // Draws into the current context from the top of `rect`, clipped to it. Unset attributes
    // are black, the system font at 12 points and the default paragraph style.
    void drawInRect(const Rect& rect) const;
    // The size of the text on one line per paragraph.
    Size size() const;

    bool operator==(const AttributedString& other) const = default;

private:
    TextRange clamp(TextRange range) const;
    Attributes& addRun(TextRange range);

    QString string_;
    QVector<Run> runs_;
};

} // namespace platform::ui
