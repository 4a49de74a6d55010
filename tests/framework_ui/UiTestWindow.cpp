// The user-interface tests' plain window.
#include "UiTestWindow.h"

namespace {

const wchar_t kClassName[] = L"HvUiTestWindow";

void RegisterTestClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    registered = RegisterClassW(&windowClass) != 0;
}

} // namespace

UiTestWindow::UiTestWindow(int x, int y, int width, int height)
{
    RegisterTestClass();
    m_window = CreateWindowExW(0, kClassName, L"test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpPendingMessages();
}

UiTestWindow::~UiTestWindow()
{
    Destroy();
}

void UiTestWindow::Destroy()
{
    if (m_window)
        DestroyWindow(m_window);
    m_window = nullptr;
    PumpPendingMessages();
}

void PumpPendingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
