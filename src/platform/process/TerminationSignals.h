#pragma once

namespace platform {

// Holds SIGINT and SIGTERM back until quitOnTerminationSignals is in place, so that a signal
// that comes during start-up is not met by the default action (an exit without clean-up, the
// simulated Mac's files half written). Call first thing in main, before any thread starts: the
// threads inherit the hold, so the signal later goes to the main thread.
void holdTerminationSignals();

// Makes SIGINT and SIGTERM end the application's event loop normally, so the program exits
// through its usual clean-up, then lets through a signal held since start-up (it ends the run
// as soon as the loop turns). Call once, after the application object exists.
void quitOnTerminationSignals();

} // namespace platform
