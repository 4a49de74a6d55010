// Yielding to the message loop from long operations, through a replaceable
// handler.
#pragma once

#include <functional>

namespace hv::forms {

using YieldHandler = std::function<void()>;

// Processes every pending message of this thread (or calls the installed
// handler). A WM_QUIT met on the way is put back for the main loop.
void YieldToMessages();

// Installs a handler (an empty one restores the default); returns the previous.
YieldHandler SetYieldHandler(YieldHandler handler);

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

} // namespace hv::forms
