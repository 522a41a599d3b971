#include "platform/dispatch/QtDispatcher.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

using platform::QtDispatcher;

// At quit the main loop has stopped, yet a background task may still wait for the main thread:
// the wait serves it, then refuses new background work.
TEST(QtDispatcherTest, QuitWaitsForBackgroundWorkThatNeedsTheMainThread)
{
    QtDispatcher dispatcher;
    std::atomic<bool> started{false}, mainRan{false}, finished{false};
    dispatcher.asyncGlobal([&] {
        started = true;
        dispatcher.syncMain([&] { mainRan = QThread::currentThread() == QCoreApplication::instance()->thread(); });
        finished = true;
    });
    while (!started)
        QThread::yieldCurrentThread();
    QtDispatcher::finishBackgroundWork(std::chrono::seconds(10));
    EXPECT_TRUE(mainRan);
    EXPECT_TRUE(finished);
    std::atomic<bool> late{false};
    dispatcher.asyncGlobal([&] { late = true; });
    QtDispatcher::finishBackgroundWork(std::chrono::seconds(10));
    EXPECT_FALSE(late);
}
