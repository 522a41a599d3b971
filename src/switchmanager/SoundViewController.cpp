#include "SoundViewController.h"

#include "MasterVolume.h"
#include "Slider.h"

#include "platform/ui/Button.h"
#include "platform/ui/Image.h"

using namespace platform::ui;

namespace {
// The lowest level the pop-up sets: through the volume, not the mute.
constexpr double kLowestVolume = 0.001;
} // namespace

SoundViewController::SoundViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

SoundViewController::~SoundViewController() = default;

void SoundViewController::loadView()
{
    SoundViewControllerView();
}

void SoundViewController::SoundViewControllerView()
{
    auto pane = std::make_unique<View>(Rect(0, 0, 220, 32));
    auto mute = std::make_unique<Button>(Rect(8, 4, 24, 24));
    mute->setBordered(false);
    mute->setTitle(QString());
    mute->setImage(Image::imageNamed(QString::fromLatin1(kVolumeImage)));
    mute->setImagePosition(CellImagePosition::ImageOnly);
    mute->setAction([this](Button&) { closeSoundButtonAction(); });
    closeSoundButton_ = pane->addSubview(std::move(mute));
    mySoundSlider_ = pane->addSubview(std::make_unique<Slider>(Rect(38, 6, 174, 20), 0, 100));
    setView(std::move(pane));
}

void SoundViewController::awakeFromNib()
{
    loadSoundValue();
    mySoundSlider_->setAction([this](Slider& sender) { changeSound(sender); });
}

void SoundViewController::showMuted(bool muted)
{
    // Before the view is loaded there is no button: only the delegate hears of it.
    if (closeSoundButton_)
        closeSoundButton_->setImage(Image::imageNamed(QString::fromLatin1(muted ? kMutedImage : kVolumeImage)));
    changeSoundIcon(!muted);
}

void SoundViewController::loadSoundValue()
{
    double shown = 100 * getMasterVolume();
    if (shown < 1.0)
        shown = 0;
    showMuted(shown == 0);
    if (mySoundSlider_)
        mySoundSlider_->setDoubleValue(shown);
}

void SoundViewController::changeSound(Slider& sender)
{
    double volume = sender.doubleValue() / 100;
    if (volume == 0)
        volume = kLowestVolume;
    setMasterVolume(volume);
    showMuted(volume == kLowestVolume);
    sender.setNeedsDisplay();
    view()->setNeedsDisplay();
}

void SoundViewController::closeSoundButtonAction()
{
    setMasterVolume(kLowestVolume);
    mySoundSlider_->setDoubleValue(kLowestVolume);
    showMuted(true);
}

void SoundViewController::changeSoundIcon(bool audible)
{
    if (delegate_)
        delegate_->changeSoundIcon(audible);
}

void SoundViewController::volumeChanged()
{
    const double shown = 100 * getMasterVolume();
    showMuted(shown == 0 || shown == kLowestVolume);
}
