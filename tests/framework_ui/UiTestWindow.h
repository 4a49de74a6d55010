// A plain top-level window for the user-interface tests, destroyed with its
// owner object, and a bounded message pump.
#pragma once

#include <windows.h>

class UiTestWindow
{
public:
    // A visible overlapped window at (x, y) of width x height.
    UiTestWindow(int x = 100, int y = 100, int width = 400, int height = 300);
    ~UiTestWindow();
    UiTestWindow(const UiTestWindow&) = delete;
    UiTestWindow& operator=(const UiTestWindow&) = delete;

    HWND Handle() const { return m_window; }
    // Destroys the window early.
    void Destroy();

private:
    HWND m_window = nullptr;
};

// Handles every message already queued for the thread.
void PumpPendingMessages();
