// Monitor work areas through the multi-monitor functions, looked up by name
// on every call because older systems lack them.
#include "MonitorWorkArea.h"

#include "SystemVersion.h"

namespace {

using MonitorFromRectFunction = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

bool GetNearestMonitorWorkArea(RECT& out, const RECT& area)
{
    if (!IsWin2000Or98OrLater())
        return false;
    HMODULE user = LoadLibraryA("user32.dll");
    if (!user)
        return false;
    auto monitorFromRect = reinterpret_cast<MonitorFromRectFunction>(
        reinterpret_cast<void*>(GetProcAddress(user, "MonitorFromRect")));
    auto getMonitorInfo = reinterpret_cast<GetMonitorInfoFunction>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA")));
    bool found = false;
    if (monitorFromRect && getMonitorInfo) {
        if (HMONITOR monitor = monitorFromRect(&area, MONITOR_DEFAULTTONEAREST)) {
            MONITORINFO info = {};
            info.cbSize = sizeof(MONITORINFO);
            if (getMonitorInfo(monitor, &info)) {
                out = info.rcWork;
                found = true;
            }
        }
    }
    FreeLibrary(user);   // balances the load; user32 stays mapped by the process
    return found;
}

} // namespace

void GetMonitorWorkArea(RECT* out, const RECT* area)
{
    if (!out)
        return;
    if (area && GetNearestMonitorWorkArea(*out, *area))
        return;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, out, 0);
}
