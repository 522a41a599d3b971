#include "platform/ui/TrackingArea.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace platform::ui;

namespace {

// Records what its tracking areas tell it.
class Recorder : public Responder {
public:
    void mouseEntered(const Event& e) override { log.push_back('E'), last = e; }
    void mouseExited(const Event& e) override { log.push_back('X'), last = e; }
    void mouseMoved(const Event& e) override { log.push_back('M'), last = e; }
    std::string log;
    Event last;
};

struct TrackedWindow {
    Window window{Rect(100, 100, 200, 100), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    View* box = window.contentView()->addSubview(std::make_unique<View>(Rect(20, 10, 50, 40)));
    Recorder recorder;
    // Moves the pointer to a point in the window's base coordinates (y up).
    void moveTo(double x, double y, Qt::MouseButtons buttons = Qt::NoButton)
    {
        const QPointF qt(x, window.frame().height() - y);
        QWidget* target = window.contentView()->widget();
        QMouseEvent move(QEvent::MouseMove, qt, qt, Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    void leave()
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(window.widget(), &leave);
    }
};

constexpr unsigned kEnterExitMove =
    TrackingArea::MouseEnteredAndExited | TrackingArea::MouseMoved | TrackingArea::ActiveAlways;

} // namespace

TEST(TrackingTest, AreasReportEnteringMovingAndLeaving)
{
    TrackedWindow t;
    auto area = std::make_shared<TrackingArea>(Rect(0, 0, 50, 40), kEnterExitMove, &t.recorder,
                                               QVariantMap{{QStringLiteral("k"), 1}});
    t.box->addTrackingArea(area);
    t.box->addTrackingArea(area); // added once only
    EXPECT_EQ(t.box->trackingAreas().size(), 1u);
    t.moveTo(5, 5);    // outside the box (which starts at 20, 10)
    t.moveTo(25, 15);  // inside
    EXPECT_EQ(t.recorder.last.trackingArea(), area.get());
    EXPECT_EQ(t.recorder.last.locationInWindow(), (Point{25, 15}));
    t.moveTo(30, 20);
    t.moveTo(90, 90);  // outside again
    t.moveTo(30, 20);
    t.leave();         // leaving the window leaves every area
    EXPECT_EQ(t.recorder.log, "EMXEX");
}

TEST(TrackingTest, HiddenViewsGoneOwnersAndDragsAreRespected)
{
    TrackedWindow t;
    t.box->addTrackingArea(std::make_shared<TrackingArea>(Rect(0, 0, 50, 40), kEnterExitMove, &t.recorder));
    t.moveTo(25, 15);
    t.box->setHidden(true);
    t.moveTo(26, 15);
    EXPECT_EQ(t.recorder.log, "EX");
    // A drag does not count unless the area asks for it.
    t.box->setHidden(false);
    t.moveTo(26, 15, Qt::LeftButton);
    EXPECT_EQ(t.recorder.log, "EX");
    t.moveTo(26, 15);
    EXPECT_EQ(t.recorder.log, "EXE");
    // An owner that is gone hears nothing, and nothing breaks.
    auto owner = std::make_unique<Recorder>();
    t.box->addTrackingArea(std::make_shared<TrackingArea>(Rect(0, 0, 50, 40), kEnterExitMove, owner.get()));
    owner.reset();
    t.moveTo(90, 90);
    t.moveTo(25, 15);
    EXPECT_EQ(t.recorder.log, "EXEXE") << "the gone owner is not called (the sanitizer watches)";
}
