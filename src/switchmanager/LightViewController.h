#pragma once

#include "platform/dispatch/Lifetime.h"
#include "platform/ui/ViewController.h"

#include <chrono>
#include <optional>

class Slider;

// The brightness pop-up: a slider (0 to 1) over the brightness of the active displays and a
// button that turns it down to 0. It keeps no value of its own.
class LightViewController : public platform::ui::ViewController {
public:
    static constexpr const char* kOffImage = "ic_light_off";

    explicit LightViewController(QString nibName = QStringLiteral("LightViewController"));
    ~LightViewController() override;

    Slider* mySlider() const { return mySlider_; } // kept: named by the design, no caller yet

    // Shows the brightness (the name is the pane's own).
    void loadSoundValue();
    void changeLight(Slider& sender);
    void closeLightButtonAction();
    // The first display with a current mode that answers; -1.0 when none does.
    static float get_brightness();
    // Every display with a current mode whose brightness can be read gets the level.
    static void set_brightness(float brightness);
    // Follows the brightness on the slider, asking again after 0.1 second and twice as late
    // each time nothing changed, up to a second. It ends with the pane.
    void bgThread(); // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void LightViewControllerView();
    void pollBrightness(std::optional<float> last, std::chrono::milliseconds interval);

    Slider* mySlider_ = nullptr;
    platform::Lifetime lifetime_;
};
