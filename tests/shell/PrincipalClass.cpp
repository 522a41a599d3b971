// The program's application class is the principal class of this test run too: it is made
// before anything else asks for the application object.
#include "shell/MyNSApplication.h"

namespace {
[[maybe_unused]] const bool principal = MyNSApplication::sharedApplication() != nullptr;
}
