// Registration of the layer's window class and the exception firewall of its
// window procedure.
#include "WindowHandler.h"

#include <commctrl.h>

namespace hv::forms {

namespace {

constexpr const wchar_t* kClassName = L"HvFormsWindow";

LRESULT CALLBACK HandlerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* handler = reinterpret_cast<WindowHandler*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!handler)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return handler->HandleMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's dispatcher.
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void RegisterOnce()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = HandlerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

HWND WindowHandler::CreateHandlerWindow(DWORD exStyle, DWORD style, const wchar_t* text,
                                        const RECT& pixels, HWND parent)
{
    RegisterOnce();
    return CreateWindowExW(exStyle, kClassName, text, style, pixels.left, pixels.top,
                           pixels.right - pixels.left, pixels.bottom - pixels.top, parent, nullptr,
                           GetModuleHandleW(nullptr), this);
}

} // namespace hv::forms
