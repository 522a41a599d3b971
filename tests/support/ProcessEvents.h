#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

// Lets the event loop deliver what the system sends (file-system events, local connections)
// until `done` holds or the deadline passes; gives whether it holds.
template <typename Condition>
bool processEventsUntil(Condition done, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}
