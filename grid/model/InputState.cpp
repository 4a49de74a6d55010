// The keyboard and mouse button state of the message being handled.
#include "InputState.h"

#include <windows.h>

namespace {

bool Down(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

InputState SystemInputState()
{
    InputState state;
    state.shift = Down(VK_SHIFT);
    state.ctrl = Down(VK_CONTROL);
    state.alt = Down(VK_MENU);
    state.primaryButton = Down(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON);
    return state;
}

InputStateFunction g_function = nullptr;

} // namespace

InputState CurrentInputState()
{
    return g_function ? g_function() : SystemInputState();
}

InputStateFunction SetInputStateFunction(InputStateFunction function)
{
    InputStateFunction previous = g_function;
    g_function = function;
    return previous;
}
