// HvCalendarWindow: the "SysMonthCal32" popup of date cells.
#include "HvCalendarWindow.h"

#include "CellEditor.h"
#include "HvCell.h"
#include "MonitorWorkArea.h"

#include <commctrl.h>

namespace {

constexpr int DefaultWidth = 180;
constexpr int DefaultHeight = 158;

// The picked day leaves the calendar's own procedure before edit mode is
// left again, so one kill-focus at a time is handled.
bool g_inKillFocus = false;

} // namespace

HvCalendarWindow::~HvCalendarWindow() { Destroy(); }

void HvCalendarWindow::Destroy()
{
    if (Handle())
        DestroyWindow(window_);
    window_ = nullptr;
}

HWND HvCalendarWindow::Create(const RECT& rect)
{
    if (Handle())
        return window_;
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    EditorHost* host = editor_.Host();
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, MONTHCAL_CLASSW, L"", WS_POPUP | WS_BORDER, rect.left, rect.bottom,
                              DefaultWidth, DefaultHeight, host->GridWindow(), nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    if (!window_)
        return nullptr;
    RECT minimum{};
    if (SendMessageW(window_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum)))
        SetWindowPos(window_, nullptr, 0, 0, minimum.right - minimum.left, minimum.bottom - minimum.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&editor_));
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    SetPropW(window_, HvEditWindow::ControlProperty, host->ControlObject());
    return window_;
}

void HvCalendarWindow::Hide()
{
    if (!IsVisible())
        return;
    const bool old = editor_.showingChild;
    editor_.showingChild = true;
    editor_.Host()->ShowEditorWindow(window_, SW_HIDE);
    editor_.showingChild = old;
}

void HvCalendarWindow::Show()
{
    if (!Handle())
        return;
    const bool old = editor_.showingChild;
    editor_.showingChild = true;
    editor_.Host()->ShowEditorWindow(window_, SW_SHOW);
    SetFocus(window_);
    editor_.showingChild = old;
}

void HvCalendarWindow::Position(const RECT& rect)
{
    if (!Handle())
        return;
    RECT minimum{};
    SendMessageW(window_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum));
    const int width = minimum.right - minimum.left;
    const int height = minimum.bottom - minimum.top;
    RECT work{};
    GetMonitorWorkArea(&work, &rect);
    int x = rect.left;
    int y = rect.bottom;
    if (y + height > work.bottom)
        y = rect.top - height;
    if (x + width > work.right)
        x = work.right - width;
    if (x < work.left)
        x = work.left;
    SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void HvCalendarWindow::SetDate(const VARIANT& value)
{
    if (!Handle())
        return;
    SYSTEMTIME day{};
    bool known = false;
    if (value.vt != VT_EMPTY && value.vt != VT_NULL) {
        VARIANT date;
        VariantInit(&date);
        if (SUCCEEDED(VariantChangeTypeEx(&date, const_cast<VARIANT*>(&value), editor_.Host()->Locale(), 17, VT_DATE)))
            known = VariantTimeToSystemTime(date.date, &day) != FALSE;
    }
    if (!known)
        GetSystemTime(&day);
    const bool old = editor_.settingText;
    editor_.settingText = true;
    SendMessageW(window_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    editor_.settingText = old;
}

bool HvCalendarWindow::SelectedDateText(std::wstring* text) const
{
    if (!Handle())
        return false;
    SYSTEMTIME day{};
    if (!SendMessageW(window_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day)))
        return false;
    day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DATE;
    if (!SystemTimeToVariantTime(&day, &value.date) ||
        FAILED(VariantChangeTypeEx(&value, &value, editor_.Host()->Locale(), 0, VT_BSTR)))
        return false;
    text->assign(value.bstrVal, SysStringLen(value.bstrVal));
    VariantClear(&value);
    return true;
}

bool HvCalendarWindow::OnKillFocus(HWND next)
{
    if (g_inKillFocus || next == window_ || editor_.showingChild || editor_.calendarPick)
        return false;
    HvCell* cell = editor_.EditingCell();
    if (!cell || editor_.IsCursorOnButton(cell))
        return false;
    g_inKillFocus = true;
    const bool refused = editor_.ExitEditMode(cell, false, false);
    g_inKillFocus = false;
    return refused;
}

LRESULT CALLBACK HvCalendarWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* editor = reinterpret_cast<CellEditor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    HvCalendarWindow* self = editor ? &editor->Calendar() : nullptr;
    if (!self || self->window_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC old = self->oldProc_;
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        return CellEditor::DetachEditorWindow(window, old, wParam, lParam);
    }
    if (!editor->Host()->ActiveCell())
        return CallWindowProcW(old, window, message, wParam, lParam);
    try {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_KILLFOCUS:
            if (self->OnKillFocus(reinterpret_cast<HWND>(wParam)))
                return 0;
            break;
        case WM_LBUTTONUP: {
            const LRESULT result = CallWindowProcW(old, window, message, wParam, lParam);
            MCHITTESTINFO hit{};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const LRESULT where = SendMessageW(window, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            HvCell* cell = editor->EditingCell();
            if (cell && (where == MCHT_CALENDARDATE || where == MCHT_CALENDARDATEPREV ||
                         where == MCHT_CALENDARDATENEXT)) {
                editor->calendarPick = true;
                // Closing sets the EDIT window up again with the day's text.
                editor->DropDowns().Close(cell);
                editor->calendarPick = false;
            }
            return result;
        }
        default:
            if (editor->ForwardEditorMessage(window, message, wParam, lParam))
                return 0;
            break;
        }
    } catch (...) {
        return 0;
    }
    return CallWindowProcW(old, window, message, wParam, lParam);
}
