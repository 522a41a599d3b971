#include "switchmanager/LightViewController.h"
#include "switchmanager/Slider.h"

#include "Fakes.h"
#include "ManualDispatcher.h"
#include "utilities/ObjcPrintln.h"
#include "TestPlatform.h"

#include "platform/brightness/SimulatedDisplays.h"
#include "platform/simulated/SimulatedMac.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::ui;
using namespace Qt::StringLiterals;

namespace {

class LightViewControllerTest : public ::testing::Test {
protected:
    ~LightViewControllerTest() override { setReportSink(std::move(previousSink_)); }

    void useDisplays(std::vector<SimulatedDisplays::Display> displays, CGError listError = kCGErrorSuccess)
    {
        tp->displays = std::make_unique<SimulatedDisplays>(*tp->simulatedMac, std::move(displays), listError);
    }
    float stored(CGDirectDisplayID display)
    {
        float level = -1;
        tp->displays->getFloatParameter(display, kIODisplayBrightnessKey, &level);
        return level;
    }

    test::TestPlatform tp;
    QStringList output, errors;

private:
    ReportSink previousSink_ = setReportSink([this](ReportStream stream, const QByteArray& text) {
        (stream == ReportStream::Output ? output : errors) << QString::fromUtf8(text);
    });
};

} // namespace

TEST_F(LightViewControllerTest, OfTwoDisplaysOnlyTheSecondAnswersSoItIsShownAndTheOnlyOneWritten)
{
    // The simulated Mac's own displays: the first gives no brightness.
    LightViewController controller;
    const CGDirectDisplayID second = SimulatedDisplays::defaultDisplays()[1].id;
    tp->displays->setFloatParameter(second, kIODisplayBrightnessKey, 0.3f);
    controller.view();
    EXPECT_FLOAT_EQ(controller.mySlider()->floatValue(), 0.3f);
    controller.mySlider()->setDoubleValue(0.8);
    controller.changeLight(*controller.mySlider());
    EXPECT_FLOAT_EQ(stored(second), 0.8f);
    controller.closeLightButtonAction();
    EXPECT_FLOAT_EQ(stored(second), 0.0f);
    EXPECT_EQ(controller.mySlider()->doubleValue(), 0);
    EXPECT_EQ(errors.size(), 3) << "the first display's read fails at every walk";
    EXPECT_EQ(errors.value(0), u"failed to get brightness of display 0x4280a40 (error -536870201)\n"_s);
    EXPECT_TRUE(output.isEmpty());
}

TEST_F(LightViewControllerTest, TheWalkSkipsDisplaysWithoutAModeAndGivesMinusOneWhenNoneAnswers)
{
    const struct {
        const char* name;
        std::vector<SimulatedDisplays::Display> displays;
        CGError listError;
        float brightness;
        int printedOutput;
    } cases[] = {
        {"no display", {}, kCGErrorSuccess, -1.0f, 0},
        {"none answers", {{1, true, kIOReturnUnsupported}, {2, true, kIOReturnNotPermitted}}, kCGErrorSuccess, -1.0f, 0},
        {"only a display without a mode answers", {{1, false, kIOReturnSuccess}}, kCGErrorSuccess, -1.0f, 0},
        {"a failed listing still gives what it found", {{7, true, kIOReturnSuccess}}, kCGErrorFailure, 0.75f, 1},
    };
    for (const auto& c : cases) {
        useDisplays(c.displays, c.listError);
        output.clear();
        EXPECT_FLOAT_EQ(LightViewController::get_brightness(), c.brightness) << c.name;
        EXPECT_EQ(output.size(), c.printedOutput) << c.name;
        LightViewController::set_brightness(0.2f); // changes nothing when none answers
        EXPECT_FLOAT_EQ(LightViewController::get_brightness(), c.brightness < 0 ? c.brightness : 0.2f) << c.name;
    }
    EXPECT_EQ(output.value(0), u"cannot get list of displays (error 1000)\n"_s);
    // The slider keeps -1.0 within its range.
    useDisplays({});
    LightViewController controller;
    controller.view();
    EXPECT_EQ(controller.mySlider()->doubleValue(), 0);
}

// Unchanged, the poll backs off to a second; a change brings it back to a tenth; it ends with the pane.
TEST_F(LightViewControllerTest, BrightnessPollBacksOffAndEndsWithThePane)
{
    auto controller = std::make_unique<LightViewController>();
    controller->view();
    controller->bgThread();
    const auto roundsAfter = [&](int ms) {
        tp.dispatcher().advance(std::chrono::milliseconds(ms));
        return tp.log().messages().filter(u"got brightness"_s).size();
    };
    // Rounds at 0.1 and 0.2 seconds (the first shows a change), then at 0.4, 0.8, 1.6, 2.6.
    for (const auto& [ms, rounds] : {std::pair{199, 1}, {1, 2}, {1399, 4}, {1, 5}, {1000, 6}})
        EXPECT_EQ(roundsAfter(ms), rounds) << ms;
    tp->displays->setFloatParameter(SimulatedDisplays::defaultDisplays()[1].id, kIODisplayBrightnessKey, 0.2f);
    EXPECT_EQ(roundsAfter(1100), 8);
    EXPECT_FLOAT_EQ(controller->mySlider()->floatValue(), 0.2f);
    controller.reset();
    EXPECT_EQ(roundsAfter(5000), 8);
}
