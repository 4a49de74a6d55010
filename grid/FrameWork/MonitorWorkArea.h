// The work area of the monitor that holds a rectangle, for placing pop-up
// windows (tool tips, drop-downs, edit windows) on screen.
#pragma once

#include <windows.h>

// The work area of the monitor nearest to area; the primary work area when
// no area is given or the multi-monitor functions are missing. Does nothing
// when out is null.
void GetMonitorWorkArea(RECT* out, const RECT* area);
