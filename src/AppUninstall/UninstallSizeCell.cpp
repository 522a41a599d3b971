#include "UninstallSizeCell.h"

#include "controls/IconCell.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/ui/StringDrawing.h"

using namespace platform::ui;

namespace {

// The editor leaves a fixed 3 points at the left.
Rect editingFrame(const Rect& frame)
{
    Rect slice, remainder;
    NSDivideRect(frame, slice, remainder, 3);
    return remainder;
}

} // namespace

Rect UninstallSizeCell::textRect(const Rect& frame) const
{
    if (nameStr_.isNull())
        return {};
    return Rect(frame.minX() + 30, singlePrecision(frame.minY() + 13), 80, 17);
}

void UninstallSizeCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    if (!nameStr_.isNull()) {
        const auto attributes = cellTextAttributes(Font::fontWithName(PublicUtilities::getLightFontName(), 12),
                                                   getColor(51, 57, 81, 0.8f));
        platform::ui::drawInRect(nameStr_, textRect(cellFrame), attributes);
    }
    TextFieldCell::drawWithFrame(cellFrame, controlView);
}

void UninstallSizeCell::editWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, const Event* event)
{
    TextFieldCell::editWithFrame(editingFrame(frame), controlView, editor, event);
}

void UninstallSizeCell::selectWithFrame(const Rect& frame, View& controlView, FieldEditor& editor, int start, int length)
{
    TextFieldCell::selectWithFrame(editingFrame(frame), controlView, editor, start, length);
}
