#include "AttributedString.h"

#include <algorithm>

namespace platform::ui {

TextRange AttributedString::clamp(TextRange range) const
{
    const qsizetype start = std::clamp<qsizetype>(range.location, 0, string_.size());
    const qsizetype end = std::clamp<qsizetype>(range.location + range.length, start, string_.size());
    return {start, end - start};
}

AttributedString::Attributes& AttributedString::addRun(TextRange range)
{
    // Built in place: copying a run with empty optionals trips a false uninitialised warning.
    Run& run = runs_.emplaceBack();
    run.range = clamp(range);
    return run.attributes;
}

void AttributedString::addForegroundColor(const Color& color, TextRange range)
{
    addRun(range).foregroundColor = color;
}

void AttributedString::addFont(const Font& font, TextRange range)
{
    addRun(range).font = font;
}

void AttributedString::addParagraphStyle(const ParagraphStyle& style, TextRange range)
{
    addRun(range).paragraphStyle = style;
}

AttributedString::Attributes AttributedString::attributesAtIndex(qsizetype index) const
{
    Attributes result;
    for (const Run& run : runs_) {
        if (index < run.range.location || index >= run.range.location + run.range.length)
            continue;
        if (run.attributes.foregroundColor)
            result.foregroundColor = run.attributes.foregroundColor;
        if (run.attributes.font)
            result.font = run.attributes.font;
        if (run.attributes.paragraphStyle)
            result.paragraphStyle = run.attributes.paragraphStyle;
    }
    return result;
}

} // namespace platform::ui
