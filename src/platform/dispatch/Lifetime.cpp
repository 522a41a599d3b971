#include "Lifetime.h"

#include "Dispatcher.h"
#include "platform/Platform.h"

namespace platform {

void dispatchAsyncMain(std::function<void()> task)
{
    Platform::current().dispatcher->asyncMain(std::move(task));
}

void dispatchAsyncGlobal(std::function<void()> task)
{
    Platform::current().dispatcher->asyncGlobal(std::move(task));
}

} // namespace platform
