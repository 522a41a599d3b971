#include "UiTestSupport.h"

#include "platform/ui/Cell.h"
#include "platform/ui/FieldEditor.h"
#include "platform/ui/TextFieldCell.h"

#include <gtest/gtest.h>

using namespace platform::ui;

TEST(CellTest, DividingARectangleNeverGivesANegativePart)
{
    const struct { double amount; Rect slice, rest; } cases[] = {
        {30, Rect(10, 5, 30, 20), Rect(40, 5, 70, 20)},
        {300, Rect(10, 5, 100, 20), Rect(110, 5, 0, 20)}, // a slice wider than the rectangle is all of it
        {-4, Rect(10, 5, 0, 20), Rect(10, 5, 100, 20)},
    };
    for (const auto& c : cases) {
        Rect slice, rest;
        NSDivideRect(Rect(10, 5, 100, 20), slice, rest, c.amount);
        EXPECT_EQ(slice, c.slice) << c.amount;
        EXPECT_EQ(rest, c.rest) << c.amount;
    }
    // The same variables may be passed for input and output.
    Rect slice, frame(0, 0, 50, 10);
    NSDivideRect(frame, slice, frame, 20);
    EXPECT_EQ(frame, Rect(20, 0, 30, 10));
}

TEST(CellTest, CopiesStayApartAndKeepTheirClass)
{
    TextFieldCell cell(QStringLiteral("one"));
    const Image image(Size{4, 4});
    cell.setImage(image);
    std::unique_ptr<Cell> copy = cell.copy();
    cell.setImage(Image(Size{8, 8}));
    cell.setStringValue(QStringLiteral("two"));
    EXPECT_EQ(copy->image(), image);
    EXPECT_EQ(copy->stringValue(), QStringLiteral("one"));
    EXPECT_NE(dynamic_cast<TextFieldCell*>(copy.get()), nullptr) << "a copy keeps its class";
}

TEST(CellTest, EditingSelectionsAreCutToTheText)
{
    uitest::DrawingView view(Rect(0, 0, 100, 20), true);
    TextFieldCell cell(QStringLiteral("abc"));
    FieldEditor editor;
    cell.selectWithFrame(Rect(10, 0, 80, 20), view, editor, 1, 50);
    EXPECT_EQ(editor.frame(), Rect(10, 0, 80, 20));
    EXPECT_EQ(editor.selectedRange(), (TextRange{1, 2}));
    editor.setSelectedRange({-3, 2});
    EXPECT_EQ(editor.selectedRange(), (TextRange{0, 2}));
}
