#pragma once

#include "TrafficLightState.h"

#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/notifications/NotificationCenter.h"

#include <QString>

// Posted by a tab bar, with itself as the object, as the pointer enters or leaves it; every
// light of the application listens.
inline const QString HMTrafficButtonMouseEnter = QStringLiteral("HMTrafficButtonMouseEnter");
inline const QString HMTrafficButtonMouseExit = QStringLiteral("HMTrafficButtonMouseExit");

// One traffic light of a tab bar ("close", "minimize" or "zoom"). It looks inactive after any
// window of the application resigned main and active again after any became main, and shows
// its hover picture while the pointer is over any tab bar, so all lights change together.
class HMTrafficButtonsContainer : public platform::ui::Button {
public:
    using Button::Button;

    const QString& idStr() const { return idStr_; }
    void setIdStr(const QString& idStr) { idStr_ = idStr; }

    // Borderless, with the pictures of `idStr`, active, and listening. Listening ends with the
    // light.
    void setup();
    void setActiveState();
    void setInactiveState();
    void hoverIn();
    void hoverOut();

    bool activeState() const { return state_.activeState(); } // kept: named by the design, no caller yet
    bool hoverState() const { return state_.hoverState(); } // kept: named by the design, no caller yet

    void mouseDown(const platform::ui::Event& event) override;
    void mouseUp(const platform::ui::Event& event) override;

private:
    void show(TrafficLightState::Look look);

    platform::ui::Image inactive;
    platform::ui::Image active;
    platform::ui::Image hover;
    TrafficLightState state_;
    QString idStr_;
    platform::Observation becameMain_;
    platform::Observation resignedMain_;
    platform::Observation mouseEnter_;
    platform::Observation mouseExit_;
};
