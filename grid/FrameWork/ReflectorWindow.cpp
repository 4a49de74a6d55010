// The reflector window class and its window procedure.
#include "ReflectorWindow.h"

#include "ControlEmbedding.h"
#include "CriticalSectionLock.h"
#include "Module.h"

const wchar_t kReflectorWindowClass[] = L"CtlFrameWork_ReflectWindow";

namespace {

bool RegisterReflectorClass()
{
    CriticalSectionLock guard(GlobalCriticalSection());
    WNDCLASSW existing{};
    if (GetClassInfoW(ModuleInstance(), kReflectorWindowClass, &existing))
        return true;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReflectWindowProc;
    windowClass.hInstance = ModuleInstance();
    windowClass.lpszClassName = kReflectorWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

bool IsReflected(UINT message)
{
    switch (message) {
    case WM_COMMAND: case WM_NOTIFY: case WM_HSCROLL: case WM_VSCROLL: case WM_DRAWITEM:
    case WM_MEASUREITEM: case WM_DELETEITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM:
    case WM_COMPAREITEM: case WM_PARENTNOTIFY:
        return true;
    default:
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

} // namespace

HWND EnsureReflectWindowClass(bool visible, HWND parent, int x, int y, SIZE size, CControlEmbedding* control)
{
    if (!RegisterReflectorClass())
        return nullptr;
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    HWND window = CreateWindowExW(0, kReflectorWindowClass, L"", style, x, y, size.cx, size.cy, parent, nullptr,
                                  ModuleInstance(), nullptr);
    if (window)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    return window;
}

LRESULT CALLBACK ReflectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* control = reinterpret_cast<CControlEmbedding*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!control)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        if (message == WM_SIZE) {
            if (HWND inner = control->ControlWindow())
                MoveWindow(inner, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_SETFOCUS)
            return control->SetControlFocus(TRUE);
        if (IsReflected(message))
            return control->ReflectedMessage(message + kReflectedMessageOffset, wParam, lParam);
    } catch (...) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
