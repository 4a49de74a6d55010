// The process's parking window.
#include "ParkingWindow.h"

#include "CriticalSectionLock.h"
#include "Module.h"

const wchar_t kParkingWindowClass[] = L"CtlFrameWork_Parking";

namespace {

// Guarded by the global critical section.
HWND g_parkingWindow = nullptr;

bool RegisterParkingClass()
{
    WNDCLASSW existing{};
    if (GetClassInfoW(ModuleInstance(), kParkingWindowClass, &existing))
        return true;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = ModuleInstance();
    windowClass.lpszClassName = kParkingWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

} // namespace

HWND EnsureParkingWindow()
{
    CriticalSectionLock guard(GlobalCriticalSection());
    if (g_parkingWindow && IsWindow(g_parkingWindow))
        return g_parkingWindow;
    g_parkingWindow = nullptr;
    if (!RegisterParkingClass())
        return nullptr;
    g_parkingWindow = CreateWindowExW(0, kParkingWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      ModuleInstance(), nullptr);
    return g_parkingWindow;
}
