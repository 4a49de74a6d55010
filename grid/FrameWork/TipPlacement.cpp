// Placement of tips inside the monitor's work area.
#include "TipPlacement.h"

namespace {

// One direction at a time, on the near (left/top) and far (right/bottom)
// edges of each rectangle.
void ClampInto(LONG& tipNear, LONG& tipFar, LONG areaNear, LONG areaFar)
{
    if (tipFar > areaFar) {
        const LONG shift = tipFar - areaFar;
        tipNear -= shift;
        tipFar -= shift;
    }
    if (tipNear < areaNear) {
        const LONG shift = areaNear - tipNear;
        tipNear += shift;
        tipFar += shift;
    }
}

void StepAside(LONG& tipNear, LONG& tipFar, LONG notedNear, LONG avoidNear, LONG avoidFar)
{
    const LONG shift = notedNear < avoidNear ? avoidFar - tipNear : avoidNear - tipFar;
    tipNear += shift;
    tipFar += shift;
}

bool Covers(const RECT& tip, const RECT* avoid)
{
    RECT overlap;
    return avoid && IntersectRect(&overlap, &tip, avoid);
}

} // namespace

void FitRectToArea(RECT* tip, const RECT& area, const RECT* avoid, bool avoidHorizontally, bool avoidVertically,
                   bool keepHorizontal, bool keepVertical)
{
    if (!tip)
        return;
    const RECT noted = *tip;
    if (!keepHorizontal) {
        ClampInto(tip->left, tip->right, area.left, area.right);
        if (avoidHorizontally && Covers(*tip, avoid))
            StepAside(tip->left, tip->right, noted.left, avoid->left, avoid->right);
    }
    if (!keepVertical) {
        ClampInto(tip->top, tip->bottom, area.top, area.bottom);
        if (avoidVertically && Covers(*tip, avoid))
            StepAside(tip->top, tip->bottom, noted.top, avoid->top, avoid->bottom);
    }
}

RECT WorkAreaAtPoint(POINT point)
{
    RECT area = {};
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfoW(monitor, &info))
        return info.rcWork;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return area;
}

void FitRectToWorkArea(RECT* tip, const RECT* avoid, bool avoidHorizontally, bool avoidVertically,
                       bool keepHorizontal, bool keepVertical)
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    FitRectToArea(tip, WorkAreaAtPoint(cursor), avoid, avoidHorizontally, avoidVertically, keepHorizontal,
                  keepVertical);
}
