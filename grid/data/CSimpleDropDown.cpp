// CSimpleDropDown: the combo window, its list box and their placement.
#include "CSimpleDropDown.h"

#include "MonitorWorkArea.h"

#include <algorithm>
#include <set>

namespace {

// Live objects: a property read back from a window counts only when it
// names one of these, so a stale pointer is never followed.
std::set<const CSimpleDropDown*>& LiveDropDowns()
{
    static std::set<const CSimpleDropDown*> live;
    return live;
}

constexpr int MinimumListWidth = 50;
constexpr int MaximumRows = 10;

} // namespace

CSimpleDropDown::CSimpleDropDown() { LiveDropDowns().insert(this); }

CSimpleDropDown::~CSimpleDropDown()
{
    Close();
    signature_ = 0;
    LiveDropDowns().erase(this);
}

bool CSimpleDropDown::Create(HWND owner)
{
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, rect_.left,
                                 rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!combo)
        return false;
    Adopt(combo, owner);
    return true;
}

void CSimpleDropDown::Adopt(HWND combo, HWND owner)
{
    combo_ = combo;
    ownerWindow_ = owner;
    SetPropW(combo_, PropertyName, this);
}

CSimpleDropDown* CSimpleDropDown::FromWindow(HWND window)
{
    if (!window || !IsWindow(window))
        return nullptr;
    auto* object = static_cast<CSimpleDropDown*>(GetPropW(window, PropertyName));
    if (!object || !LiveDropDowns().count(object) || object->signature_ != SignatureValue)
        return nullptr;
    return object;
}

LRESULT CSimpleDropDown::OnCommand(UINT code, HWND window)
{
    CSimpleDropDown* object = FromWindow(window);
    if (!object)
        return 1;
    switch (code) {
    case CBN_SELCHANGE: return object->OnSelChange();
    case CBN_SETFOCUS: return object->OnSetFocus();
    case CBN_KILLFOCUS: return object->OnKillFocus();
    case CBN_DROPDOWN: return object->OnDropDown();
    case CBN_CLOSEUP: return object->OnCloseUp();
    case CBN_SELENDOK: return object->OnSelEndOk();
    case CBN_SELENDCANCEL: return object->OnSelEndCancel();
    case EN_CHANGE: return object->OnEditChange();
    default: return 1;
    }
}

bool CSimpleDropDown::IsVisible() const { return IsCreated() && IsWindowVisible(combo_); }

bool CSimpleDropDown::IsDroppedDown() const
{
    return IsCreated() && SendMessageW(combo_, CB_GETDROPPEDSTATE, 0, 0) == 1;
}

int CSimpleDropDown::GetCount() const
{
    return IsCreated() ? static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0)) : -1;
}

int CSimpleDropDown::GetCurSel(LPARAM* data) const
{
    if (data)
        *data = 0;
    if (!IsCreated())
        return -1;
    const int index = static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
    if (index >= 0 && data)
        *data = static_cast<LPARAM>(SendMessageW(combo_, CB_GETITEMDATA, index, 0));
    return index;
}

RECT CSimpleDropDown::GetWindowRect() const
{
    RECT rect{};
    if (IsDroppedDown())
        ::GetWindowRect(combo_, &rect);
    return rect;
}

void CSimpleDropDown::SetFont(HFONT font)
{
    if (font && IsCreated())
        SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool CSimpleDropDown::AddString(void* item)
{
    if (!IsCreated())
        return false;
    const LRESULT index = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    return index >= 0;
}

bool CSimpleDropDown::AddItem(const wchar_t* text, LPARAM data)
{
    if (!IsCreated())
        return false;
    const LRESULT index = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    if (index < 0)
        return false;
    SendMessageW(combo_, CB_SETITEMDATA, index, data);
    return true;
}

int CSimpleDropDown::SelectionFieldHeight() const
{
    return static_cast<int>(SendMessageW(combo_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
}

void CSimpleDropDown::GetListPosition(RECT* rect)
{
    rect->top = rect->bottom - 6 - SelectionFieldHeight();
}

void CSimpleDropDown::GetListSize(RECT* rect, bool allRows)
{
    if (!IsCreated()) {
        SetRectEmpty(rect);
        return;
    }
    const int count = GetCount();
    const int rows = (allRows || count > MaximumRows) ? MaximumRows : std::max(count, 1);
    int tallest = 0;
    int sum = 0;
    for (int i = 0; i < rows; ++i) {
        const int height = static_cast<int>(SendMessageW(combo_, CB_GETITEMHEIGHT, i < count ? i : 0, 0));
        tallest = std::max(tallest, height);
        sum += std::max(height, 0);
    }
    // The field counts at the height the combo took, which may exceed the
    // one asked for (its font's): a list whose rows keep whole heights
    // would lose its last row to the difference.
    int field = 0;
    if (SendMessageW(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), tallest) != CB_ERR)
        field = std::max(tallest, SelectionFieldHeight());
    rect->bottom = rect->top + 4 * GetSystemMetrics(SM_CYEDGE) + sum + field;
}

void CSimpleDropDown::Position(const RECT& cell, bool allRows)
{
    if (!IsCreated())
        return;
    RECT list = cell;
    GetListSize(&list, allRows);
    const int width = list.right - list.left;
    const int height = list.bottom - list.top;
    list = cell;
    GetListPosition(&list);
    list.right = list.left + width;
    list.bottom = list.top + height;

    // The work area of the cell's monitor, in the owner's coordinates.
    RECT screenCell = cell;
    MapWindowPoints(ownerWindow_, nullptr, reinterpret_cast<POINT*>(&screenCell), 2);
    RECT work{};
    GetMonitorWorkArea(&work, &screenCell);
    MapWindowPoints(nullptr, ownerWindow_, reinterpret_cast<POINT*>(&work), 2);
    // The dropped list sits under the selection field: it ends at list.bottom.
    if (list.bottom > work.bottom)
        OffsetRect(&list, 0, cell.top - list.bottom);
    if (list.top < work.top)
        OffsetRect(&list, 0, work.top - list.top);
    if (list.right > work.right)
        OffsetRect(&list, work.right - list.right, 0);
    if (list.left < work.left)
        OffsetRect(&list, work.left - list.left, 0);
    rect_ = list;
    MoveWindow(combo_, list.left, list.top, width, height, FALSE);
}

bool CSimpleDropDown::ShowAt(void* owner, RECT rect, HFONT font)
{
    if (!IsCreated())
        return false;
    ownerObject_ = owner;
    SetFont(font);
    if (rect.right - rect.left < MinimumListWidth)
        rect.left = std::max(0L, rect.right - MinimumListWidth);
    if (rect.right - rect.left < MinimumListWidth)
        rect.right = rect.left + MinimumListWidth;
    // As many rows as the list holds, up to ten.
    Position(rect, false);
    return true;
}

void CSimpleDropDown::ShowDropDown(bool show)
{
    if (!IsCreated())
        return;
    buttonDown_ = false;
    SendMessageW(combo_, WM_SETREDRAW, FALSE, 0);
    if (show)
        SetPropW(ownerWindow_, PropertyName, this);
    const int before = static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
    SendMessageW(combo_, CB_SHOWDROPDOWN, show ? TRUE : FALSE, 0);
    if (show && static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0)) != before)
        SendMessageW(combo_, CB_SETCURSEL, before, 0);
    SendMessageW(combo_, WM_SETREDRAW, TRUE, 0);
    if (show) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(combo_, &info) && info.hwndList) {
            SubclassWindow(info.hwndList);
            InvalidateRect(info.hwndList, nullptr, TRUE);
        }
    }
}

bool CSimpleDropDown::Open()
{
    if (!IsCreated() || GetCount() < 1)
        return false;
    ShowDropDown(true);
    return true;
}

void CSimpleDropDown::ResetContent()
{
    if (IsCreated())
        SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    SetRectEmpty(&rect_);
}

void CSimpleDropDown::Close()
{
    if (combo_ && IsWindow(combo_))
        RemovePropW(combo_, PropertyName);
    ReleaseList();
    ResetContent();
    if (ownerWindow_ && IsWindow(ownerWindow_) && GetPropW(ownerWindow_, PropertyName) == this)
        RemovePropW(ownerWindow_, PropertyName);
    DestroyWindow();
}

void CSimpleDropDown::DestroyWindow()
{
    if (combo_ && IsWindow(combo_))
        ::DestroyWindow(combo_);
    combo_ = nullptr;
}

void CSimpleDropDown::SubclassWindow(HWND listBox)
{
    if (listBox_ || !listBox || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(listBox, GWLP_WNDPROC)) == ListProc)
        return;
    listBox_ = listBox;
    SetPropW(listBox_, PropertyName, this);
    oldListProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(listBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
}

void CSimpleDropDown::ReleaseList()
{
    if (!listBox_)
        return;
    if (IsWindow(listBox_)) {
        if (oldListProc_)
            SetWindowLongPtrW(listBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldListProc_));
        RemovePropW(listBox_, PropertyName);
    }
    listBox_ = nullptr;
    oldListProc_ = nullptr;
}

void CSimpleDropDown::OnListButtonUp(HWND listBox)
{
    if (!buttonDown_) {
        POINT cursor{};
        GetCursorPos(&cursor);
        POINT client = cursor;
        ScreenToClient(listBox, &client);
        const LRESULT hit = SendMessageW(listBox, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        if (HIWORD(hit) == 0 && WindowFromPoint(cursor) == listBox) {
            SendMessageW(combo_, CB_SETCURSEL, LOWORD(hit), 0);
            OnSelChange();
            OnSelEndOk();
            ShowDropDown(false);
        }
    }
    buttonDown_ = false;
}

LRESULT CALLBACK CSimpleDropDown::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CSimpleDropDown* object = FromWindow(window);
    if (!object || object->listBox_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC old = object->oldListProc_;
    try {
        switch (message) {
        case WM_LBUTTONDOWN:
            object->OnListButtonDown();
            break;
        case WM_LBUTTONUP: {
            const LRESULT result = CallWindowProcW(old, window, message, wParam, lParam);
            if (FromWindow(window) == object)
                object->OnListButtonUp(window);
            return result;
        }
        case WM_SHOWWINDOW:
            if (wParam == 0)
                object->ReleaseList();
            break;
        case WM_NCDESTROY:
            object->ReleaseList();
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return CallWindowProcW(old, window, message, wParam, lParam);
}
