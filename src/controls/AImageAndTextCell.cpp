#include "AImageAndTextCell.h"

using namespace platform::ui;

void AImageAndTextCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    const Slice slice = iconSlice(cellFrame);
    drawIcon(slice);
    TextFieldCell::drawWithFrame(slice.remainder, controlView);
}
