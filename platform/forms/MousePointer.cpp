// Mapping of pointer settings to the platform's shared cursors.
#include "MousePointer.h"

namespace hv::forms {

HCURSOR CursorForPointer(int pointer)
{
    const wchar_t* id = nullptr;
    switch (pointer) {
    case PointerArrow: id = IDC_ARROW; break;
    case PointerCrosshair: id = IDC_CROSS; break;
    case PointerIBeam: id = IDC_IBEAM; break;
    case PointerHourglass: id = IDC_WAIT; break;
    case PointerArrowHourglass: id = IDC_APPSTARTING; break;
    default: return nullptr;
    }
    return LoadCursorW(nullptr, id);
}

} // namespace hv::forms
