// CControlDropDown: the control's own text list.
#include "CControlDropDown.h"

#include <algorithm>

CControlDropDown::CControlDropDown(HWND ownerWindow, ControlDropDownOwner* owner)
{
    ownerObject_ = owner;
    if (!Create(ownerWindow))
        return;
    oldComboProc_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(combo_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboProc)));
}

CControlDropDown::~CControlDropDown()
{
    if (IsCreated() && oldComboProc_)
        SetWindowLongPtrW(combo_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldComboProc_));
    Close();
}

void CControlDropDown::GetListPosition(RECT* rect) { rect->top = rect->bottom - 8 - SelectionFieldHeight(); }

bool CControlDropDown::AddItem(const wchar_t* text, LPARAM data)
{
    if (!IsCreated())
        return false;
    HDC dc = GetDC(combo_);
    if (dc) {
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(combo_, WM_GETFONT, 0, 0)));
        SIZE size{};
        const wchar_t* shown = text ? text : L"";
        GetTextExtentPoint32W(dc, shown, lstrlenW(shown), &size);
        if (old)
            SelectObject(dc, old);
        ReleaseDC(combo_, dc);
        const LONG width = size.cx + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE) + 4;
        if (rect_.right - rect_.left < width)
            rect_.right = rect_.left + width;
    }
    return CSimpleDropDown::AddItem(text, data);
}

LRESULT CControlDropDown::OnKillFocus()
{
    if (Owner())
        Owner()->OnDropDownClose();
    return 1;
}

LRESULT CControlDropDown::OnSelEndCancel() { return OnKillFocus(); }

LRESULT CControlDropDown::OnSelEndOk()
{
    LPARAM data = 0;
    if (GetCurSel(&data) != -1 && Owner())
        Owner()->OnDropDownChoose(data);
    return 1;
}

LRESULT CALLBACK CControlDropDown::ComboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = dynamic_cast<CControlDropDown*>(FromWindow(window));
    if (!self || !self->oldComboProc_)
        return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC old = self->oldComboProc_;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        self->oldComboProc_ = nullptr;
        return CallWindowProcW(old, window, message, wParam, lParam);
    }
    try {
        if (self->Owner() && self->Owner()->ForwardDropDownMessage(window, message, wParam, lParam) &&
            message != WM_CANCELMODE)
            return 0;
    } catch (...) {
        return 0;
    }
    return CallWindowProcW(old, window, message, wParam, lParam);
}
