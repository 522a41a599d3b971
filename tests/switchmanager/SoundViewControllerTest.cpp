#include "switchmanager/MasterVolume.h"
#include "switchmanager/Slider.h"
#include "switchmanager/SoundViewController.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"
#include "UiTestSupport.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/sound/OutputDeviceAudioHardware.h"
#include "platform/sound/SimulatedOutputDevice.h"
#include "platform/sound/SoundServerOutputDevice.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::ui;
using namespace Qt::StringLiterals;

namespace {

class SoundViewControllerTest : public ::testing::Test, public SoundViewControllerDelegate {
protected:
    void changeSoundIcon(bool audible) override { audibleHeard << audible; }

    OutputDevice& device() { return static_cast<OutputDeviceAudioHardware&>(*tp->audio).device(); }
    SimulatedOutputDevice& simulated() { return static_cast<SimulatedOutputDevice&>(device()); }
    SoundViewController& pane()
    {
        controller.setDelegate(this);
        controller.view();
        return controller;
    }
    bool showsMuted() { return controller.closeSoundButton()->image() == Image::imageNamed(u"ic_volume_no"_s); }

    test::TestPlatform tp;
    SoundViewController controller;
    QList<bool> audibleHeard;
};

} // namespace

TEST_F(SoundViewControllerTest, TheSliderShowsTheDeviceLevelAndLevelsBelowOneStepOrOffTheScaleShowMuted)
{
    const struct {
        float device;
        double slider;
    } cases[] = {{0.5f, 50}, {0.004f, 0}, {0.02f, 2}, {1.5f, 0}, {-0.2f, 0}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    pane();
    for (const auto& c : cases) {
        device().setVolume(c.device);
        audibleHeard.clear();
        controller.loadSoundValue();
        EXPECT_NEAR(controller.mySoundSlider()->doubleValue(), c.slider, 1e-4) << c.device;
        EXPECT_EQ(showsMuted(), c.slider == 0) << c.device;
        EXPECT_EQ(audibleHeard, QList<bool>{c.slider != 0}) << c.device;
    }
}

TEST_F(SoundViewControllerTest, TheSliderSetsTheVolumeItsLowestThroughTheLevelAndMuteOnlyBelowIt)
{
    device().setMuted(true);
    Slider& slider = *pane().mySoundSlider();
    slider.setDoubleValue(50);
    controller.changeSound(slider);
    EXPECT_FLOAT_EQ(*device().volume(), 0.5f);
    EXPECT_EQ(device().isMuted(), false) << "a move above 0 clears the mute";
    EXPECT_FALSE(showsMuted());
    slider.setDoubleValue(0);
    controller.changeSound(slider);
    EXPECT_FLOAT_EQ(*device().volume(), 0.001f) << "the lowest level goes through the volume, not the mute";
    EXPECT_EQ(device().isMuted(), false);
    EXPECT_TRUE(showsMuted());
    controller.closeSoundButtonAction();
    EXPECT_FLOAT_EQ(*device().volume(), 0.001f);
    EXPECT_TRUE(showsMuted());
    EXPECT_EQ(audibleHeard.mid(1), (QList<bool>{true, false, false}));

    const struct {
        double set;
        float volume;
        bool muted;
    } direct[] = {{1.2, 0.3f, false}, {-0.1, 0.3f, false}, {0.0005, 0.3f, true}, {0.0, 0.3f, true}, {1.0, 1.0f, false}};
    for (const auto& c : direct) {
        device().setVolume(0.3f);
        device().setMuted(false);
        setMasterVolume(c.set);
        EXPECT_FLOAT_EQ(*device().volume(), c.volume) << c.set;
        EXPECT_EQ(device().isMuted(), c.muted) << c.set;
    }
}

TEST_F(SoundViewControllerTest, WithoutAnOutputDeviceNothingChangesTheFailureIsLoggedAndThePaneShowsZero)
{
    simulated().setAvailable(false);
    pane();
    setMasterVolume(0.5);
    EXPECT_EQ(controller.mySoundSlider()->doubleValue(), 0);
    EXPECT_TRUE(showsMuted());
    EXPECT_EQ(tp.log().messages(), (QStringList{u"Cannot find default output device!"_s, u"Cannot find default output device!"_s,
                                                u"Device 0x0 does not support volume control"_s}));
}

TEST_F(SoundViewControllerTest, ASoundServerAbove100PercentShowsFullNotMuted)
{
    tp->audio = std::make_unique<OutputDeviceAudioHardware>(std::make_unique<SoundServerOutputDevice>(
        SoundServerOutputDevice::Tool::Wpctl, [](const QStringList&) { return QByteArray("Volume: 1.53\n"); }));
    EXPECT_EQ(pane().mySoundSlider()->doubleValue(), 100);
    EXPECT_FALSE(showsMuted());
}

TEST_F(SoundViewControllerTest, TheListenerPostsForEachVolumeChangeUntilStopped)
{
    int posted = 0;
    const Observation observation = NotificationCenter::defaultCenter().addObserver(
        this, LXMasterVolumeChangedNotification, nullptr, [&](const Notification& n) { posted += n.object == nullptr; });
    startMasterVolumeChangeNotification();
    setMasterVolume(0.7);
    setMasterVolume(0.0005); // the mute is no volume change
    EXPECT_EQ(posted, 1);
    stopMasterVolumeChangeNotification();
    setMasterVolume(0.2);
    EXPECT_EQ(posted, 1);

    simulated().setAvailable(false);
    startMasterVolumeChangeNotification();
    EXPECT_EQ(tp.log().messages(), QStringList{u"Cannot find default output device!"_s});
}

TEST_F(SoundViewControllerTest, DraggingTheSliderOfAPaneInNoWindowSetsTheLevelUnderThePointer)
{
    // As in the pop-up menu, which lends the view no window: a drag to x 40 of the slider.
    uitest::dragWidget(pane().mySoundSlider()->widget());
    EXPECT_DOUBLE_EQ(controller.mySoundSlider()->doubleValue(), (40.0 - 7) / 160 * 100);
    EXPECT_FLOAT_EQ(*device().volume(), float((40.0 - 7) / 160));
}

TEST_F(SoundViewControllerTest, ThePopUpRendersItsMuteButtonAndSlider)
{
    device().setVolume(0.6f);
    View& view = *pane().view();
    Window window(view.frame(), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
    window.setBackgroundColor(Color::whiteColor());
    window.contentView()->addSubview(view);
    const QImage image = window.renderToImage();
    image.save(test::artifactPath(u"switchmanager-volume-pop-up.png"_s));
    // The track is filled (blue) up to the knob at 60 %, and empty beyond.
    EXPECT_GT(image.pixelColor(100, 16).blue(), image.pixelColor(100, 16).red() + 100);
    EXPECT_LT(image.pixelColor(190, 16).blue() - image.pixelColor(190, 16).red(), 40);
}
