// The message box function and its replaceable handler.
#include "MsgBox.h"

#include <utility>

namespace hv::forms {

namespace {

int PlatformMsgBox(HWND owner, const std::wstring& text, int style, const std::wstring& title)
{
    return MessageBoxW(owner, text.c_str(), title.c_str(), static_cast<UINT>(style));
}

MsgBoxHandler& Handler()
{
    static MsgBoxHandler handler;
    return handler;
}

} // namespace

int MsgBox(const std::wstring& text, int style, const std::wstring& title)
{
    // The box belongs to the active form, so that it is modal to it.
    HWND owner = GetActiveWindow();
    if (Handler())
        return Handler()(owner, text, style, title);
    return PlatformMsgBox(owner, text, style, title);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

} // namespace hv::forms
