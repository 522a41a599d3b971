#include "controls/TextImageButton.h"
#include "controls/TextImageButtonRules.h"
#include "UiTestSupport.h"
#include "PlatformTest.h"
#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"
#include "platform/ui/Window.h"
#include <gtest/gtest.h>
#include <array>
#include <cmath>

using namespace platform::ui;
namespace rules = TextImageButtonRules;

namespace {

using TextImageButtonTest = test::PlatformTest;

// A 200 × 100 window with a 96 × 30 button at (10, 10).
struct ButtonWindow {
    Window window{Rect(100, 100, 200, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    TextImageButton* button;
    uitest::Mouse mouse{window};
    int clicks = 0;

    explicit ButtonWindow(std::unique_ptr<TextImageButton> made = nullptr)
    {
        if (!made)
            made = std::make_unique<TextImageButton>(Rect(10, 10, 96, 30));
        button = window.contentView()->addSubview(std::move(made));
        button->setAction([this](Button&) { ++clicks; });
        window.orderFront();
    }
    ~ButtonWindow() { window.orderOut(); }

    void images(const QString& set)
    {
        button->setImageFromFileNormalName(set, set + QStringLiteral("_press"), set + QStringLiteral("_hover"),
                                           set + QStringLiteral("_disable"));
    }
    // The colour of the state image drawn at the button's left edge, away from the title.
    QColor fill() const { return window.renderToImage().pixelColor(15, 100 - 25); }
    void enter() { mouse.move({50, 25}); }
    void leave() { mouse.move({190, 90}); }
};

const QColor mainFill(0x0a, 0x84, 0xff);
const QColor mainHover(0x3d, 0x9b, 0xff);
const QColor mainDisabled(0xe3, 0xe6, 0xef);

} // namespace

TEST_F(TextImageButtonTest, TheTitleLabelTakesItsSizeAndFaceFromTheFirstCall)
{
    for (const auto& [size, height] : {std::pair(15.5, 17.0), std::pair(20.0, 18.0), std::pair(std::nan(""), 17.0)})
        EXPECT_EQ(rules::labelHeight(size), height) << size;
    ButtonWindow t;
    t.images(QStringLiteral("btn_main"));
    t.button->setTextWithName(QStringLiteral("Close"), 16);
    TextField* label = t.button->textField();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->frame(), Rect(0, 5, 96, 18));
    EXPECT_EQ(label->font(), Font::fontWithName(PublicUtilities::getRegularFontName(), 16));
    // A second call changes only the text.
    t.button->setTextWithName(QStringLiteral("Quit"), 12);
    EXPECT_EQ(t.button->textField(), label);
    EXPECT_EQ(label->stringValue(), QStringLiteral("Quit"));
    EXPECT_EQ(label->frame(), Rect(0, 5, 96, 18));
    EXPECT_EQ(label->font().pointSize(), 16);
}

TEST_F(TextImageButtonTest, LabelColoursFollowTheSetAndTheLook)
{
    using Look = ImageButtonLook;
    const auto names = [](const char* normal, const char* pressed, const char* hover) {
        return rules::ImageNames{QLatin1String(normal), QLatin1String(pressed), QLatin1String(hover), *pressed != 0, *hover != 0};
    };
    const rules::ImageNames sec = names("btn_sec", "btn_sec_press", "btn_sec_hover");
    const rules::ImageNames secl = names("btn_secl_normal", "btn_secl_press", "btn_secl_hover");
    // The Task Manager's Close button presses with its hover image: white, dimmed.
    const rules::ImageNames close = names("btn_main", "btn_main_hover", "btn_main_hover");
    // Without a pressed or hover image that look keeps the resting colour.
    const rules::ImageNames bare = names("btn_sec", "", "");
    const Color blue = getColor(0, 195, 248, 1), dark = getColor(51, 57, 81, 1), grey = getColor(102, 102, 102, 1);
    const Color disabled = getColor(139, 147, 176, 1), white = getColor(255, 255, 255, 1);
    const std::tuple<const rules::ImageNames*, Look, Color> cases[] = {
        {&sec, Look::Normal, dark},     {&sec, Look::Pressed, blue},   {&sec, Look::Disabled, disabled},
        {&secl, Look::Hover, grey},     {&close, Look::Normal, white}, {&close, Look::Pressed, getColor(255, 255, 255, 0.4f)},
        {&bare, Look::Pressed, dark},
    };
    for (const auto& [set, look, colour] : cases)
        EXPECT_EQ(rules::labelColor(look, *set), colour) << set->normal.toStdString() << " " << int(look);
    // Disabled wins over everything, pressed over hover.
    const std::pair<std::array<bool, 4>, Look> looks[] = {
        {{false, true, true, true}, Look::Disabled}, {{true, false, true, true}, Look::Disabled},
        {{true, true, true, true}, Look::Pressed},   {{true, true, false, true}, Look::Hover},
        {{true, true, false, false}, Look::Normal}};
    for (const auto& [flags, expected] : looks)
        EXPECT_EQ(rules::look(flags[0], flags[1], flags[2], flags[3]), expected) << int(expected);
}

TEST_F(TextImageButtonTest, TheOwnSwitchDisablesClicksAndShowsTheDisabledImageEvenUnderThePointer)
{
    ButtonWindow t;
    t.images(QStringLiteral("btn_main"));
    t.button->setTextWithName(QStringLiteral("Uninstall"), 16);
    EXPECT_TRUE(uitest::near(t.fill(), mainFill));
    t.button->setButtonEnabled(false);
    t.enter();
    EXPECT_TRUE(uitest::near(t.fill(), mainDisabled));
    t.mouse.click({50, 25});
    EXPECT_EQ(t.clicks, 0);
    // On again: it works at once, and the pointer that is still inside shows the hover look.
    t.button->setButtonEnabled(true);
    EXPECT_TRUE(uitest::near(t.fill(), mainHover));
    t.mouse.click({50, 25});
    EXPECT_EQ(t.clicks, 1);
}

TEST_F(TextImageButtonTest, APlatformDisabledButtonLooksDisabledAndTakesNoHover)
{
    ButtonWindow t;
    t.images(QStringLiteral("btn_main"));
    t.button->setEnabled(false);
    t.enter();
    EXPECT_FALSE(t.button->isFocus());
    EXPECT_TRUE(uitest::near(t.fill(), mainDisabled));
    t.mouse.click({50, 25});
    EXPECT_EQ(t.clicks, 0);
    // Leaving always clears the hover flag, even one set before the button was disabled.
    t.leave();
    t.button->setEnabled(true);
    t.enter();
    EXPECT_TRUE(t.button->isFocus());
    t.button->setEnabled(false);
    t.leave();
    EXPECT_FALSE(t.button->isFocus());
}

TEST_F(TextImageButtonTest, ButtonsFromInterfaceFilesWaitForTheirSwitch)
{
    ButtonWindow t(std::make_unique<TextImageButton>(TextImageButton::LoadedFromInterfaceFile{}, Rect(10, 10, 96, 30)));
    t.images(QStringLiteral("btn_main"));
    EXPECT_TRUE(uitest::near(t.fill(), mainDisabled));
    t.mouse.click({50, 25});
    EXPECT_EQ(t.clicks, 0);
    t.button->setButtonEnabled(true);
    t.mouse.click({50, 25});
    EXPECT_EQ(t.clicks, 1);
    ButtonWindow code;
    EXPECT_TRUE(code.button->isDisabled()) << "made in code it works at once";
}

TEST_F(TextImageButtonTest, MissingImagesFallBackWithoutBreaking)
{
    ButtonWindow t;
    t.button->setImageFromFileNormalName(QStringLiteral("no-such"), QStringLiteral("none"), QString(), QString());
    t.button->setTextWithName(QStringLiteral("Go"), 12);
    EXPECT_EQ(t.button->dstRect(), Rect(0, 0, 96, 30));
    (void)t.window.renderToImage(); // the drawing pass sets the label's colour
    EXPECT_EQ(t.button->textField()->textColor(), getColor(255, 255, 255, 1)) << "the resting colour with the default drawing";
    t.mouse.click({50, 25});
    EXPECT_EQ(t.clicks, 1);
}

TEST_F(TextImageButtonTest, AnActionThatEndsTheButtonEndsTheClickQuietlyUnderTheSanitizer)
{
    ButtonWindow t;
    t.images(QStringLiteral("btn_main"));
    t.button->setAction([&](Button& sender) {
        std::unique_ptr<View> gone = sender.removeFromSuperview();
        t.button = nullptr;
    });
    t.mouse.click({50, 25});
    EXPECT_EQ(t.button, nullptr);
}
