// Runs the thread's pending messages, as a benchmark's host window needs
// between the steps it times.
#pragma once

#include <windows.h>

namespace hv::bench {

inline void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace hv::bench
