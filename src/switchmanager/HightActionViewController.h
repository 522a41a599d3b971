#pragma once

#include "platform/dispatch/Lifetime.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/ViewController.h"

#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <vector>

namespace platform {
class TimerHandle;
}
namespace platform::ui {
class Button;
class ImageView;
}

// The Switch Manager tab: ten switches, each a button whose image is its state ("Active" on,
// "Disabled" off), most with an icon beside it. Their states are read when the view loads: the
// four that a `defaults` command reads show off until its answer comes from the background.
// The tab's notification registrations, its Bluetooth timer and its pending results end with it.
class HightActionViewController : public platform::ui::ViewController {
public:
    explicit HightActionViewController(QString nibName = QStringLiteral("HightActionViewController"));
    ~HightActionViewController() override;

    // The outlets but_1 … but_10 and icon_1 … icon_10, by number.
    platform::ui::Button* but(int number) const { return buttons_.at(std::size_t(number - 1)); }
    platform::ui::ImageView* icon(int number) const { return icons_.at(std::size_t(number - 1)); }
    // Whether the switch shows "Active".
    bool isActive(int number) const;

    void but_1Actton();
    void but_2Actton();
    void but_3Actton();
    void but_4Actton();
    void but_5Actton();
    void but_6Actton();
    void but_7Action();
    void but_8Action();
    void but_9Action();
    // `then` runs on the main queue once the power change has settled.
    void but_10Action(std::function<void()> then = {});

    bool getShowDesktopIcon();
    bool getDarkMode();
    bool getShowAllFiles();
    bool getDoNotDisturb(); // kept: named by the design, no caller yet
    bool getIsOpenNight();
    bool getDockHide(); // kept: named by the design, no caller yet
    void setBlueTooth();

    void hiddenDesktopIcon();
    void updateDarkMode();
    void hiddenHiddenFiles();
    void openScreen();
    void enablePowerSave(bool enable);
    // Turns Do Not Disturb the other way from `shownOn`, the state the switch showed.
    void setDoNotDisturb(bool shownOn);
    void turnDoNotDisturbOn();
    void turnDoNotDisturbOff();
    QString getDoNotDisturbPath();
    void setNightLight();
    void setDockHide(bool hide);

    // The controller's power notifications.
    void openBluetooth();
    void closeBluetooth();

    // With Bluetooth powered, switch 9 shows whether paired AirPods are connected.
    void getAirPods(); // kept: named by the design, no caller yet
    // Preference writes reach their file at once; only the change is announced.
    void commitDoNotDisturbChanges(); // kept: named by the design, no caller yet
    // A display-sleep assertion, released at once.
    void setComputerSleep(); // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;
    void viewDidLoad() override;

private:
    void show(int number, bool on);
    void setIcon(int number, const QString& name);
    // Runs the writers in the background, then shows the switch as `readLine`'s output says:
    // a write that failed leaves the switch showing the state it left.
    void writeAndReadBack(int number, const QStringList& lines, const QString& readLine,
                          std::function<bool(const QString&)> isOn);
    // Do Not Disturb from its read's output; below 10.15 from the ByHost file.
    bool doNotDisturbFrom(const QString& said);
    void connectAirPods();
    void disconnectAirPods();
    void endPowerWait();
    // The `defaults` readers of these switches, run together on the background queue.
    void readStatesInBackground(const std::vector<int>& numbers);
    void answerRead(int number, const QString& output);
    static QString readerLine(int number);

    std::array<platform::ui::Button*, 10> buttons_{};
    std::array<platform::ui::ImageView*, 10> icons_{};
    platform::Observation themeObservation_;
    platform::Observation poweredOnObservation_;
    platform::Observation poweredOffObservation_;
    std::unique_ptr<platform::TimerHandle> powerWait_;
    std::bitset<11> unanswered_; // by switch number: read at load, no answer and no click yet
    platform::Lifetime lifetime_;
};
