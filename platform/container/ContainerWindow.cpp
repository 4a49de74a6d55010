// The container's window class and windows.
#include "ContainerWindow.h"

namespace hv::container {

namespace {

constexpr wchar_t kClassName[] = L"HvContainerWindow";

LRESULT CALLBACK ContainerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterContainerClass()
{
    WNDCLASSW existing{};
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoW(instance, kClassName, &existing))
        return;
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ContainerWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
}

} // namespace

ContainerWindow::ContainerWindow(int width, int height)
{
    RegisterContainerClass();
    RECT frame = {0, 0, width, height};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    hwnd_ = CreateWindowExW(0, kClassName, L"", style, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

ContainerWindow::ContainerWindow(HWND parent, const RECT& place)
{
    RegisterContainerClass();
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

ContainerWindow::~ContainerWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

} // namespace hv::container
