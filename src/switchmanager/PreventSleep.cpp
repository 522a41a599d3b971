#include "PreventSleep.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/power/PowerAssertions.h"

#include <memory>

namespace {

const QString kAssertion = QStringLiteral("PreventUserIdleDisplaySleep");
constexpr std::chrono::milliseconds kActivityInterval{30000};

// Process-wide, as on the Mac: only switching prevention off releases what it holds.
struct SleepPrevention {
    bool on = false;
    platform::IOPMAssertionID assertionID = 0;
    std::unique_ptr<platform::TimerHandle> timer;
};

SleepPrevention& state()
{
    static SleepPrevention prevention;
    return prevention;
}

bool usesAssertions()
{
    return PublicUtilities::getSystemVersion() > 1007;
}

} // namespace

bool isNotSeelp()
{
    return state().on;
}

void setIsNotSeelp(bool on)
{
    state().on = on;
}

void PreventSleep()
{
    platform::Platform& platform = platform::Platform::current();
    if (usesAssertions()) {
        platform.powerAssertions->IOPMAssertionCreateWithName(kAssertion, platform::kIOPMAssertionLevelOn, kAssertion,
                                                              &state().assertionID);
        return;
    }
    // The timer fires at once, then every 30 seconds.
    MyTimerCallback();
    state().timer = platform.dispatcher->scheduledTimer(kActivityInterval, true, MyTimerCallback);
}

void ReleasePreventObj()
{
    if (usesAssertions()) {
        platform::Platform::current().powerAssertions->IOPMAssertionRelease(state().assertionID);
        return;
    }
    state().timer.reset();
}

void MyTimerCallback()
{
    platform::Platform::current().powerAssertions->UpdateSystemActivity(0);
}
