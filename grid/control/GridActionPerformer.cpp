// PerformAction of the control.
#include "GridActionPerformer.h"

HRESULT PerformGridAction(KeyboardHost& host, KeyActionMap& map, std::uint32_t action)
{
    const std::uint32_t state = GetKeyActionState(host);
    if (map.IsActionAllowed(action, state)) {
        bool handled = false;
        host.PerformKeyActionFromKeyboard(action, false, false, handled);
    }
    return S_OK;
}
