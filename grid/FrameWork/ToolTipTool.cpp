// One tool of the control's tooltip window.
#include "ToolTipTool.h"

#include "Module.h"
#include "ToolTipWindow.h"

ToolTipTool::ToolTipTool(ToolTipWindow& tip, HWND window, UINT_PTR id, UINT flags, const wchar_t* text,
                         const RECT* rectangle)
    : m_tip(tip), m_text(text ? text : L"")
{
    m_info.cbSize = TTTOOLINFOW_V2_SIZE;
    m_info.uFlags = flags;
    m_info.hwnd = window;
    m_info.uId = id;
    if (rectangle)
        m_info.rect = *rectangle;
    m_info.hinst = ModuleInstance();
    m_info.lpszText = m_text.data();
}

ToolTipTool::~ToolTipTool()
{
    Remove();
}

LRESULT ToolTipTool::Send(UINT message, WPARAM wParam) const
{
    HWND window = m_tip.Window();
    return window ? SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(&m_info)) : 0;
}

bool ToolTipTool::Register()
{
    m_registered = Send(TTM_ADDTOOLW, 0) != 0;
    return m_registered;
}

void ToolTipTool::TrackActivate(BOOL show)
{
    m_tip.SetDelayTimer(show);
    Send(TTM_TRACKACTIVATE, show);
    // Some tooltip windows do not report a tracked tool as their current one.
    if (show)
        m_tip.NoteTrackedTool(&m_info);
    else if (m_tip.TrackedTool() == &m_info)
        m_tip.NoteTrackedTool(nullptr);
    if (!show)
        return;
    if (HWND window = m_tip.Window())
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void ToolTipTool::SetText(const wchar_t* text)
{
    m_text = text ? text : L"";
    m_info.lpszText = m_text.data();
    Send(TTM_UPDATETIPTEXTW, 0);
}

void ToolTipTool::SetRect(const RECT& rectangle)
{
    m_info.rect = rectangle;
    Send(TTM_NEWTOOLRECTW, 0);
}

void ToolTipTool::GetWindowRect(RECT* rectangle) const
{
    if (!rectangle)
        return;
    SetRectEmpty(rectangle);
    if (HWND window = m_tip.Window())
        ::GetWindowRect(window, rectangle);
}

LRESULT ToolTipTool::OnShow(const NMHDR* header, LPARAM)
{
    if (!header || header->code != TTN_SHOW || IsRectEmpty(&m_info.rect))
        return 0;
    if (HWND window = m_tip.Window()) {
        const RECT& r = m_info.rect;
        SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

void ToolTipTool::Remove()
{
    if (!m_registered)
        return;
    TrackActivate(FALSE);
    Send(TTM_DELTOOLW, 0);
    m_registered = false;
}
