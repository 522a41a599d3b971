// The start menu's rebuild: what a click on the status item costs when the window was hidden,
// from the click to the end of the new window's first paint (a new controller with its eight
// tools, the window, the paint). Target: under 40 ms of main-thread CPU. The peer, in the same
// run, is the first build at launch, which also pays for what is done once (fonts, images, the
// application catalog); the ratio of a rebuild to it is printed at the end. Background queues
// run on Qt's thread pool as in the program, so their work is not counted.
#include "BenchSupport.h"

#include "AppDelegate.h"
#include "MainMenu.h"
#include "MyNSApplication.h"
#include "StatusAttachedWindow.h"

#include "platform/LinuxPlatform.h"
#include "platform/Platform.h"

#include "platform/ui/QtApplicationHost.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <ctime>

namespace {

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Runs the event loop until the widget has been painted (Qt paints a few milliseconds after a
// window is shown), or a second has passed.
class PaintWaiter : public QObject {
public:
    explicit PaintWaiter(QWidget* widget) { widget->installEventFilter(this); }
    void wait()
    {
        QTimer::singleShot(1000, &loop_, &QEventLoop::quit);
        if (!painted_)
            loop_.exec();
    }
    bool painted() const { return painted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            static_cast<QWidget*>(watched)->removeEventFilter(this);
            painted_ = true;
            // The paint itself runs after this filter: the loop ends once it is done.
            QTimer::singleShot(0, &loop_, &QEventLoop::quit);
        }
        return false;
    }

private:
    QEventLoop loop_;
    bool painted_ = false;
};

AppDelegate* delegate = nullptr;

// Main-thread CPU and wall time in milliseconds from `act` to the end of the first paint.
std::pair<double, double> timeToPaint(const std::function<void()>& act)
{
    QElapsedTimer wall;
    wall.start();
    const double start = threadMilliseconds();
    act();
    PaintWaiter waiter(delegate->mainAttachedWindow()->widget());
    waiter.wait();
    if (!waiter.painted())
        std::fprintf(stderr, "the start menu was not painted\n");
    return {threadMilliseconds() - start, double(wall.nsecsElapsed()) / 1e6};
}

std::pair<double, double> firstBuild;
std::pair<double, double> rebuild;

void BM_StartMenuRebuild(benchmark::State& state)
{
    std::pair<double, double> total;
    for (auto _ : state) {
        delegate->miniWindowAction();
        const auto [cpu, wall] = timeToPaint([] { delegate->showOrCloseMainWindow(); });
        state.SetIterationTime(cpu / 1e3);
        total.first += cpu;
        total.second += wall;
    }
    rebuild = {total.first / double(state.iterations()), total.second / double(state.iterations())};
    state.counters["wall_ms"] = rebuild.second;
}

} // namespace

BENCHMARK(BM_StartMenuRebuild)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

int main(int argc, char** argv)
{
    // The simulated Mac, the settings and the instance lock stay in a folder of their own.
    QTemporaryDir home;
    bench::isolateHome(home.path());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::ui::QtApplicationHost qt(argc, argv);
    MyNSApplication::sharedApplication();
    auto platform = platform::makeLinuxPlatform(QStringLiteral(TAVRIN_BUNDLE));
    platform::ScopedPlatform installed(*platform);

    MainMenu mainInterface;
    delegate = &mainInterface.appDelegate();
    firstBuild = timeToPaint([] { delegate->applicationDidFinishLaunching({}); });

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The background work of the builds (the disk lists) still uses the platform.
    QThreadPool::globalInstance()->waitForDone();
    std::printf("main-thread CPU: first build %.1f ms, rebuild %.1f ms, ratio %.2f "
                "(wall time to the first paint: %.1f ms and %.1f ms)\n",
                firstBuild.first, rebuild.first, firstBuild.first > 0 ? rebuild.first / firstBuild.first : 0.0,
                firstBuild.second, rebuild.second);
    return 0;
}
