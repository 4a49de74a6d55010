// Command buttons over the system push button.
#include "CommandButton.h"

namespace hv::forms {

CommandButton::CommandButton(Container& parent, const TwipsRect& place, const std::wstring& caption)
    : Control(parent, place)
{
    Attach(CreateChild(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, caption.c_str()));
}

void CommandButton::OnCommand(int code)
{
    if (code == BN_CLICKED && Click)
        Click();
}

bool CommandButton::OnChar(int& ch)
{
    // Enter on a focused button presses it, as in any Windows dialog.
    if (ch == '\r') {
        if (Click)
            Click();
        return false;
    }
    return true;
}

} // namespace hv::forms
