// The default yield: drain the thread's queue without blocking.
#include "MessageYield.h"

#include <utility>

#include <windows.h>

namespace hv::forms {

namespace {

YieldHandler& Handler()
{
    static YieldHandler handler;
    return handler;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The loop that owns the thread must still see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

void YieldToMessages()
{
    if (Handler())
        Handler()();
    else
        PumpPending();
}

YieldHandler SetYieldHandler(YieldHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

int RunMessageLoop()
{
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return -1;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace hv::forms
