// The layer's own window class: every window of it (forms, frames, tab pages,
// the tab control's frame) hands its messages to a C++ handler object.
#pragma once

#include <windows.h>

namespace hv::forms {

class WindowHandler {
public:
    // Called for every message while the window lives; the handler answers it
    // or returns DefWindowProcW's answer.
    virtual LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~WindowHandler() = default;

    // Creates a window of the layer's class bound to this handler. The common
    // controls are initialised on first use.
    HWND CreateHandlerWindow(DWORD exStyle, DWORD style, const wchar_t* text, const RECT& pixels,
                             HWND parent);
};

} // namespace hv::forms
