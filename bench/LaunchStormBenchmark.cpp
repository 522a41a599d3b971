// A launch storm: 500 and then 2 000 application processes start within a few seconds (2 000 over
// 9 s) while the whole program runs with its Task Manager open; the program's CPU from the first
// launch until it is quiet again, beside `top -b -d 1` over the same period. Targets: 2 000
// launches cost under 2 s of CPU in all; the cost per launch at 2 000 is at most 1.5 times that
// at 500 (linear); the main thread is never busy for more than 100 ms at a stretch, so a click is
// answered at once throughout.
//
//   bench_launch_storm [path/to/Tavrin.app/Contents/MacOS/Tavrin]
#include "RunningProgram.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <map>

namespace {

struct Storm {
    double cpu = 0;
    double mainCpu = 0;
    double longestBusy = 0; // seconds
    double seconds = 0;
    double top = 0;
};

// The longest stretch in which the main thread ran nearly all the time, sampled every 10 ms.
class BusyWatch {
public:
    explicit BusyWatch(pid_t pid)
        : thread_([this, pid] {
            double stretch = 0;
            double before = bench::programCpu(pid).main;
            auto at = std::chrono::steady_clock::now();
            while (!stop_) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                const double now = bench::programCpu(pid).main;
                const double wall = bench::secondsSince(at);
                at = std::chrono::steady_clock::now();
                stretch = now - before >= 0.8 * wall ? stretch + wall : 0;
                longest_ = std::max(longest_.load(), stretch);
                before = now;
            }
        })
    {
    }
    double stop()
    {
        stop_ = true;
        thread_.join();
        return longest_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
};

Storm storm(const QString& program, int launches)
{
    bench::RunningProgram running(program);
    running.settle();
    const bench::ProgramCpu before = running.cpu();
    const auto start = std::chrono::steady_clock::now();
    bench::TopPeer top("1");
    BusyWatch busy(running.pid());
    running.keep(launches, std::chrono::microseconds(9000000 / 2000));
    running.settle(0.03, 120);
    Storm result;
    const bench::ProgramCpu after = running.cpu();
    result.seconds = bench::secondsSince(start);
    result.longestBusy = busy.stop();
    result.top = top.stop();
    result.cpu = after.all - before.all;
    result.mainCpu = after.main - before.main;
    return result;
}

const char* verdict(bool met)
{
    return met ? "met" : "missed";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QStringLiteral(TAVRIN_BUNDLE "/Contents/MacOS/Tavrin");
    std::map<int, Storm> storms;
    for (int launches : {500, 2000}) {
        const Storm s = storms[launches] = storm(program, launches);
        std::printf("%d launches: program %.3f s CPU (%.2f ms per launch; main thread %.3f s), quiet after %.1f s; "
                    "longest main-thread stretch %.0f ms (target < 100: %s); top -b -d 1 %.3f s, program/top %.2f\n",
                    launches, s.cpu, 1e3 * s.cpu / launches, s.mainCpu, s.seconds, 1e3 * s.longestBusy,
                    verdict(s.longestBusy < 0.1), s.top, s.cpu / s.top);
    }
    const double growth = (storms[2000].cpu / 2000) / (storms[500].cpu / 500);
    std::printf("2000 launches: %.3f s CPU (target < 2: %s); per launch at 2000 / at 500: %.2f (target <= 1.5: %s)\n",
                storms[2000].cpu, verdict(storms[2000].cpu < 2), growth, verdict(growth <= 1.5));
    return 0;
}
