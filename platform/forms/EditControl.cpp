// Selection of edit-based controls through the edit control's messages.
#include "EditControl.h"

#include <algorithm>

namespace hv::forms {

EditControl::EditControl(Container& parent, const TwipsRect& place) : Control(parent, place) {}

HWND EditControl::CreateEdit(DWORD extraStyle, const wchar_t* text)
{
    return CreateChild(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | extraStyle, WS_EX_CLIENTEDGE, text);
}

int EditControl::SelStart() const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int EditControl::SelLength() const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void EditControl::SetSelStart(int start)
{
    const int length = static_cast<int>(Text().size());
    start = std::clamp(start, 0, length);
    SendMessageW(Hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start));
}

void EditControl::SetSelLength(int length)
{
    const int start = SelStart();
    const int textLength = static_cast<int>(Text().size());
    const int end = std::clamp(start + std::max(length, 0), start, textLength);
    SendMessageW(Hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

std::wstring EditControl::SelText() const
{
    const int start = SelStart();
    return Text().substr(static_cast<size_t>(start), static_cast<size_t>(SelLength()));
}

} // namespace hv::forms
