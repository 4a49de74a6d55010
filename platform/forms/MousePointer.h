// Mouse pointer settings of forms and controls, and the cursor each one shows.
#pragma once

#include <windows.h>

namespace hv::forms {

enum MousePointer : int {
    PointerDefault = 0,    // the window's own cursor
    PointerArrow = 1,
    PointerCrosshair = 2,
    PointerIBeam = 3,
    PointerHourglass = 11,
    PointerArrowHourglass = 13,
};

// The system cursor for a pointer setting; nullptr for PointerDefault or an unknown value.
HCURSOR CursorForPointer(int pointer);

} // namespace hv::forms
