// The control's tracking tooltip window and its subclassed procedure.
#include "ToolTipWindow.h"

#include "Module.h"
#include "ToolTipTool.h"

#include <new>

namespace {

// The common controls library that _TrackMouseEvent comes from, loaded
// once per process and kept.
HMODULE CommonControlsLibrary()
{
    static HMODULE library = LoadLibraryW(L"comctl32.dll");
    return library;
}

} // namespace

ToolTipWindow::ToolTipWindow(ToolTipOwner* owner) : m_owner(owner) {}

ToolTipWindow::~ToolTipWindow()
{
    if (HWND window = Window())
        DestroyWindow(window);
}

HWND ToolTipWindow::Window() const
{
    return m_window && IsWindow(m_window) ? m_window : nullptr;
}

HWND ToolTipWindow::OwnerWindow() const
{
    if (!m_owner)
        return nullptr;
    HWND owner = m_owner->ToolTipOwnerWindow();
    return owner && IsWindow(owner) ? owner : nullptr;
}

BOOL ToolTipWindow::CreateToolTipWindow()
{
    if (Window())
        return TRUE;
    HWND owner = OwnerWindow();
    if (!owner)
        return FALSE;
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    HWND window = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  ModuleInstance(), nullptr);
    if (!window)
        return FALSE;
    m_window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_originalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolTipWndProc)));
    return TRUE;
}

std::unique_ptr<ToolTipTool> ToolTipWindow::AddTool(HWND window, UINT_PTR id, UINT flags, const wchar_t* text,
                                                    const RECT* rectangle)
{
    if (!CreateToolTipWindow())
        return nullptr;
    std::unique_ptr<ToolTipTool> tool(new (std::nothrow) ToolTipTool(*this, window, id, flags, text, rectangle));
    if (!tool || !tool->Register())
        return nullptr;
    return tool;
}

void ToolTipWindow::TrackPosition(POINT point)
{
    if (HWND window = Window())
        SendMessageW(window, TTM_TRACKPOSITION, 0, MAKELPARAM(point.x, point.y));
}

void ToolTipWindow::SetMaxTipWidth(int width)
{
    if (HWND window = Window())
        SendMessageW(window, TTM_SETMAXTIPWIDTH, 0, width);
}

void ToolTipWindow::SetFont(HFONT font)
{
    HWND window = Window();
    if (!window)
        return;
    LOGFONTW description;
    if (!font || GetObjectW(font, sizeof(description), &description) != sizeof(description))
        return;
    HFONT copy = CreateFontIndirectW(&description);
    if (!copy)
        return; // the tip keeps the font it has
    // The window takes the new copy before the old one is deleted.
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(copy), FALSE);
    m_font.reset(copy);
}

void ToolTipWindow::SetMargin(const RECT& margin)
{
    if (HWND window = Window())
        SendMessageW(window, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
}

void ToolTipWindow::SetDelayTimer(BOOL start)
{
    HWND window = Window();
    if (!window)
        return;
    if (m_hideTimer) {
        KillTimer(window, m_hideTimer);
        m_hideTimer = 0;
    }
    if (!start)
        return;
    const auto autoPop = static_cast<UINT>(SendMessageW(window, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    m_hideTimer = SetTimer(window, kHideTimer, autoPop, nullptr);
}

BOOL ToolTipWindow::TrackMouseEvent(DWORD flags, DWORD hoverTime)
{
    HWND owner = OwnerWindow();
    if (!owner || !CreateToolTipWindow())
        return FALSE;
    HMODULE library = CommonControlsLibrary();
    if (!library)
        return FALSE;
    using TrackFunction = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    auto track = reinterpret_cast<TrackFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "_TrackMouseEvent")));
    if (!track)
        return FALSE;
    TRACKMOUSEEVENT request = {sizeof(request), flags, owner, hoverTime};
    return track(&request) == TRUE;
}

LRESULT ToolTipWindow::CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_originalProc ? CallWindowProcW(m_originalProc, window, message, wParam, lParam)
                          : DefWindowProcW(window, message, wParam, lParam);
}

void ToolTipWindow::HideCurrentTool()
{
    TTTOOLINFOW current = {};
    current.cbSize = TTTOOLINFOW_V2_SIZE;
    if (SendMessageW(m_window, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)))
        SendMessageW(m_window, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&current));
    else if (m_trackedTool)
        SendMessageW(m_window, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(m_trackedTool));
}

LRESULT ToolTipWindow::OnNcDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hideTimer) {
        KillTimer(window, m_hideTimer);
        m_hideTimer = 0;
    }
    const WNDPROC original = m_originalProc;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    m_originalProc = nullptr;
    m_window = nullptr;
    return original ? CallWindowProcW(original, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

// A click on a tip hides it and goes on to the control at the same screen
// point; the tip is never activated.
LRESULT ToolTipWindow::OnMouseActivate(LPARAM lParam)
{
    HideCurrentTool();
    if (HWND owner = OwnerWindow()) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        MapWindowPoints(nullptr, owner, &cursor, 1);
        PostMessageW(owner, HIWORD(lParam), 0, MAKELPARAM(cursor.x, cursor.y));
    }
    return MA_NOACTIVATEANDEAT;
}

LRESULT CALLBACK ToolTipWindow::ToolTipWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ToolTipWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return 0;
    switch (message) {
    case WM_NCDESTROY:
        return self->OnNcDestroy(window, message, wParam, lParam);
    case WM_TIMER:
        if (wParam == kHideTimer)
            self->HideCurrentTool();
        break;
    case WM_MOUSEACTIVATE:
        return self->OnMouseActivate(lParam);
    default:
        break;
    }
    return self->CallOriginal(window, message, wParam, lParam);
}
