#include "UiTestSupport.h"

#include "platform/ui/TextField.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

// The first and last rows (Qt's, top first) that hold dark ink.
std::pair<int, int> inkRows(const QImage& image)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 4; x < image.width() - 4; ++x)
            if (image.pixelColor(x, y).alpha() > 128 && image.pixelColor(x, y).lightness() < 100) {
                first = first < 0 ? y : first;
                last = y;
            }
    return {first, last};
}

} // namespace

TEST(TextFieldTest, AOneLineBoxCentresItsTextAndALabelKeepsItAtTheTop)
{
    const struct {
        const char* name;
        double height;
        bool editable, bordered, background;
        LineBreakMode mode;
        bool centred;
    } cases[] = {
        {"name field", 24, true, true, true, LineBreakMode::ByClipping, true},
        {"search field without a border", 28, true, false, true, LineBreakMode::ByClipping, true},
        {"bordered, not yet editable", 24, false, true, false, LineBreakMode::ByClipping, true},
        {"label", 40, false, false, false, LineBreakMode::ByClipping, false},
        {"wrapping field", 40, true, true, true, LineBreakMode::ByWordWrapping, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = uitest::makeWindow(Rect(100, 100, 200, c.height));
        auto* field = window->contentView()->addSubview(std::make_unique<TextField>(Rect(0, 0, 200, c.height)));
        field->setStringValue(QStringLiteral("Backup Édition"));
        field->setFont(Font::systemFontOfSize(13));
        field->setEditable(c.editable);
        field->setBordered(c.bordered);
        field->setDrawsBackground(c.background);
        field->setLineBreakMode(c.mode);
        const QImage image = window->renderToImage();
        const auto [top, bottom] = inkRows(image.copy(0, 2, 200, int(c.height) - 4)); // the border left out
        ASSERT_GE(top, 0);
        const int above = top + 2, below = int(c.height) - 3 - (bottom + 2);
        if (c.centred)
            EXPECT_LE(std::abs(above - below), 2) << above << " above, " << below << " below";
        else
            EXPECT_LE(above, 4);
    }
}
