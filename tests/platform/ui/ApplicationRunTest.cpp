#include "UiTestSupport.h"

#include "platform/process/TerminationSignals.h"
#include "platform/ui/Application.h"

#include <QTimer>

#include <csignal>

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

class WatchedView : public View {
public:
    WatchedView(bool& gone) : View(Rect(0, 0, 10, 10)), gone_(gone) {}
    ~WatchedView() override { gone_ = true; }

private:
    bool& gone_;
};

} // namespace

// Each case ends the application's run for good, so each has its own process (one CTest entry).
TEST(ApplicationRunTest, ATerminationSignalDuringStartUpEndsTheRunCleanly)
{
    platform::holdTerminationSignals();
    raise(SIGTERM); // held: the process goes on
    platform::quitOnTerminationSignals();
    bool ranOn = false;
    QTimer::singleShot(5000, qApp, [&] { ranOn = true, NSApp().terminate(); });
    NSApp().run(); // the signal that came before the loop ends it as soon as it turns
    EXPECT_FALSE(ranOn);
}

TEST(ApplicationRunTest, WorkQueuedWhenTheRunEndsIsDroppedWithTheViewsItHolds)
{
    bool gone = false;
    auto view = std::make_shared<WatchedView>(gone);
    QTimer::singleShot(0, qApp, [&] {
        // The last reference to a view travels with work that never runs.
        QMetaObject::invokeMethod(qApp, [view = std::move(view)] { ADD_FAILURE() << "ran after the end"; },
                                  Qt::QueuedConnection);
        NSApp().terminate();
    });
    NSApp().run();
    // Dropped here, not as Qt's application goes (it would hold its event lock, which the
    // view's widget takes as it is destroyed: the process would never end).
    EXPECT_TRUE(gone);
}
