#include "UiTestSupport.h"

#include "platform/ui/TextField.h"

#include <gtest/gtest.h>

using namespace platform::ui;

TEST(TextFieldTest, AOneLineBoxCentresItsTextAndALabelKeepsItAtTheTop)
{
    const struct {
        const char* name;
        double height;
        bool editable, bordered;
        LineBreakMode mode;
        bool centred;
    } cases[] = {
        {"name field", 24, true, true, LineBreakMode::ByClipping, true},
        {"bordered, not yet editable", 28, false, true, LineBreakMode::ByClipping, true},
        {"label", 40, false, false, LineBreakMode::ByClipping, false},
        {"wrapping field", 40, true, true, LineBreakMode::ByWordWrapping, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = uitest::makeWindow(Rect(100, 100, 200, c.height));
        auto* field = window->contentView()->addSubview(std::make_unique<TextField>(Rect(0, 0, 200, c.height)));
        field->setStringValue(QStringLiteral("Backup Édition"));
        field->setEditable(c.editable);
        field->setBordered(c.bordered);
        field->setDrawsBackground(c.bordered);
        field->setLineBreakMode(c.mode);
        // The rows of dark ink, the border left out.
        const QImage image = window->renderToImage();
        int top = -1, bottom = -1;
        for (int y = 2; y < image.height() - 2; ++y)
            for (int x = 4; x < image.width() - 4; ++x)
                if (image.pixelColor(x, y).alpha() > 128 && image.pixelColor(x, y).lightness() < 100)
                    bottom = y, top = top < 0 ? y : top;
        ASSERT_GE(top, 0);
        if (c.centred)
            EXPECT_LE(std::abs(top - (image.height() - 1 - bottom)), 2) << top << " " << bottom;
        else
            EXPECT_LE(top, 4);
    }
}
