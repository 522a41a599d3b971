#include "LightViewController.h"

#include "Slider.h"

#include "utilities/ObjcPrintln.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/log/SystemLog.h"
#include "platform/brightness/DisplayBrightness.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"

#include <algorithm>

using namespace platform::ui;
using platform::CGDirectDisplayID;

namespace {

constexpr std::uint32_t kMaxDisplays = 100;
constexpr std::chrono::milliseconds kFirstPoll{100};
constexpr std::chrono::milliseconds kLongestPoll{1000};

platform::DisplayBrightness& displays()
{
    return *platform::Platform::current().displays;
}

// The active displays; a failed listing is reported and what it found is still used.
QList<CGDirectDisplayID> activeDisplays()
{
    QList<CGDirectDisplayID> found;
    const platform::CGError error = displays().getActiveDisplayList(kMaxDisplays, &found);
    if (error != platform::kCGErrorSuccess)
        writeReport(ReportStream::Output, platform::stringWithFormat("cannot get list of displays (error %d)\n", error));
    return found;
}

void reportReadFailure(CGDirectDisplayID display, platform::IOReturn error)
{
    writeReport(ReportStream::Error,
                platform::stringWithFormat("failed to get brightness of display 0x%x (error %d)\n", display, error));
}

} // namespace

LightViewController::LightViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

LightViewController::~LightViewController() = default;

void LightViewController::loadView()
{
    LightViewControllerView();
}

void LightViewController::LightViewControllerView()
{
    auto pane = std::make_unique<View>(Rect(0, 0, 220, 32));
    auto off = std::make_unique<Button>(Rect(8, 4, 24, 24));
    off->setBordered(false);
    off->setTitle(QString());
    off->setImage(Image::imageNamed(QString::fromLatin1(kOffImage)));
    off->setImagePosition(CellImagePosition::ImageOnly);
    off->setAction([this](Button&) { closeLightButtonAction(); });
    pane->addSubview(std::move(off));
    mySlider_ = pane->addSubview(std::make_unique<Slider>(Rect(38, 6, 174, 20), 0, 1));
    setView(std::move(pane));
}

void LightViewController::awakeFromNib()
{
    loadSoundValue();
    mySlider_->setAction([this](Slider& sender) { changeLight(sender); });
}

void LightViewController::loadSoundValue()
{
    if (mySlider_)
        mySlider_->setDoubleValue(get_brightness());
}

void LightViewController::changeLight(Slider& sender)
{
    set_brightness(sender.floatValue());
}

void LightViewController::closeLightButtonAction()
{
    mySlider_->setDoubleValue(0.0);
    set_brightness(0.0f);
}

float LightViewController::get_brightness()
{
    const QList<CGDirectDisplayID> active = activeDisplays();
    for (CGDirectDisplayID display : active) {
        if (!displays().displayHasCurrentMode(display))
            continue;
        float brightness = 0;
        const platform::IOReturn error = displays().getFloatParameter(display, platform::kIODisplayBrightnessKey, &brightness);
        if (error == platform::kIOReturnSuccess)
            return brightness;
        reportReadFailure(display, error);
    }
    return -1.0f;
}

void LightViewController::set_brightness(float brightness)
{
    for (CGDirectDisplayID display : activeDisplays()) {
        if (!displays().displayHasCurrentMode(display))
            continue;
        float current = 0;
        platform::IOReturn error = displays().getFloatParameter(display, platform::kIODisplayBrightnessKey, &current);
        if (error != platform::kIOReturnSuccess) {
            reportReadFailure(display, error);
            continue;
        }
        error = displays().setFloatParameter(display, platform::kIODisplayBrightnessKey, brightness);
        if (error != platform::kIOReturnSuccess)
            writeReport(ReportStream::Error, platform::stringWithFormat(
                                                 "Failed to set brightness of display 0x%x (error %d)\n", display, error));
    }
}

void LightViewController::bgThread()
{
    pollBrightness(std::nullopt, kFirstPoll);
}

void LightViewController::pollBrightness(std::optional<float> last, std::chrono::milliseconds interval)
{
    platform::Platform::current().dispatcher->afterMain(interval, lifetime_.guard([this, last, interval] {
        const float brightness = get_brightness();
        std::chrono::milliseconds next = std::min(2 * interval, kLongestPoll);
        if (brightness != last) {
            if (mySlider_)
                mySlider_->setDoubleValue(brightness);
            next = kFirstPoll;
        }
        platform::NSLog(QStringLiteral("got brightness"));
        pollBrightness(brightness, next);
    }));
}
