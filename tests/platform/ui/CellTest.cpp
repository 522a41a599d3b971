#include "UiTestSupport.h"

#include "platform/ui/Cell.h"
#include "platform/ui/FieldEditor.h"
#include "platform/ui/TextFieldCell.h"

#include <gtest/gtest.h>

using namespace platform::ui;

TEST(CellTest, DividingARectangleNeverGivesANegativePart)
{
    Rect slice, rest;
    NSDivideRect(Rect(10, 5, 100, 20), slice, rest, 30);
    EXPECT_EQ(slice, Rect(10, 5, 30, 20));
    EXPECT_EQ(rest, Rect(40, 5, 70, 20));

    NSDivideRect(Rect(10, 5, 100, 20), slice, rest, 300);
    EXPECT_EQ(slice, Rect(10, 5, 100, 20)) << "a slice wider than the rectangle is all of it";
    EXPECT_EQ(rest, Rect(110, 5, 0, 20));

    NSDivideRect(Rect(10, 5, 100, 20), slice, rest, -4);
    EXPECT_EQ(slice, Rect(10, 5, 0, 20));
    EXPECT_EQ(rest, Rect(10, 5, 100, 20));

    // The same variables may be passed for input and output.
    Rect frame(0, 0, 50, 10);
    NSDivideRect(frame, slice, frame, 20);
    EXPECT_EQ(frame, Rect(20, 0, 30, 10));
}

TEST(CellTest, ValuesAttributedOrPlainAndCopiesStayApart)
{
    TextFieldCell cell;
    AttributedString bold(QStringLiteral("Selected: 3"));
    bold.addFont(Font::boldSystemFontOfSize(13), {10, 1});
    cell.setAttributedStringValue(bold);
    EXPECT_EQ(cell.attributedStringValue(), bold) << "an attributed value is drawn as it is";
    EXPECT_EQ(cell.stringValue(), QStringLiteral("Selected: 3"));

    cell.setStringValue(QStringLiteral("plain"));
    cell.setTextColor(Color::grayColor());
    EXPECT_EQ(cell.attributedStringValue().attributesAtIndex(0).foregroundColor, Color::grayColor());
    cell.setEnabled(false);
    EXPECT_EQ(cell.attributedStringValue().attributesAtIndex(0).foregroundColor, Color::disabledControlTextColor());
    cell.setObjectValue(QVariant());
    EXPECT_TRUE(cell.stringValue().isEmpty());

    Image image(Size{4, 4});
    cell.setImage(image);
    cell.setStringValue(QStringLiteral("one"));
    std::unique_ptr<Cell> copy = cell.copy();
    EXPECT_EQ(copy->image(), image);
    EXPECT_EQ(copy->stringValue(), QStringLiteral("one"));
    cell.setImage(Image(Size{8, 8}));
    cell.setStringValue(QStringLiteral("two"));
    EXPECT_EQ(copy->image(), image);
    EXPECT_EQ(copy->stringValue(), QStringLiteral("one"));
    EXPECT_NE(dynamic_cast<TextFieldCell*>(copy.get()), nullptr) << "a copy keeps its class";
}

TEST(CellTest, EditingPlacesThePreparedEditorOverTheText)
{
    uitest::DrawingView view(Rect(0, 0, 100, 20), true);
    TextFieldCell cell(QStringLiteral("abc"));
    FieldEditor editor;
    cell.selectWithFrame(Rect(10, 0, 80, 20), view, editor, 1, 50);
    EXPECT_EQ(editor.frame(), Rect(10, 0, 80, 20));
    EXPECT_EQ(editor.string(), QStringLiteral("abc"));
    EXPECT_EQ(editor.selectedRange(), (TextRange{1, 2})) << "cut at the end of the text";
    EXPECT_EQ(editor.controlView(), &view);

    cell.editWithFrame(Rect(0, 0, 40, 20), view, editor, nullptr);
    EXPECT_EQ(editor.selectedRange(), (TextRange{0, 0}));
    editor.setSelectedRange({-3, 2});
    EXPECT_EQ(editor.selectedRange(), (TextRange{0, 2}));
}
