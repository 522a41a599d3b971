#pragma once

namespace platform {

// Makes SIGINT and SIGTERM end the application's event loop normally, so the program exits
// through its usual clean-up. Call once, after the application object exists.
void quitOnTerminationSignals();

} // namespace platform
