// The parking window: one hidden pop-up window per process under which
// control windows live while their container has no window for them.
#pragma once

#include <windows.h>

// The window class's name.
extern const wchar_t kParkingWindowClass[];

// The parking window, made on first need; null when it cannot be made.
HWND EnsureParkingWindow();
