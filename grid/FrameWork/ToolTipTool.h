// ToolTipTool: one tool registered with the control's tooltip window: the
// area or window a tip belongs to and its text. Destroying the tool hides
// its tip and unregisters it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

class ToolTipWindow;

class ToolTipTool
{
public:
    // Made by ToolTipWindow::AddTool. tip is not owned and outlives the tool.
    ToolTipTool(ToolTipWindow& tip, HWND window, UINT_PTR id, UINT flags, const wchar_t* text,
                const RECT* rectangle);
    virtual ~ToolTipTool();
    ToolTipTool(const ToolTipTool&) = delete;
    ToolTipTool& operator=(const ToolTipTool&) = delete;

    // Registers the tool with the tooltip window; false when it refuses.
    bool Register();

    // Shows or hides the tip; a shown tip goes to the top of the z-order
    // and hides itself after the auto-pop time.
    void TrackActivate(BOOL show);
    void SetText(const wchar_t* text);
    void SetRect(const RECT& rectangle);
    // The tooltip window's screen rectangle; empty when there is none.
    void GetWindowRect(RECT* rectangle) const;
    // The control hands its tooltip notifications here: on TTN_SHOW a tool
    // with a rectangle places the tip exactly over it. Returns 0.
    LRESULT OnShow(const NMHDR* header, LPARAM unused);
    // Hides the tip and unregisters the tool; the destructor does the same.
    void Remove();

    const TTTOOLINFOW& Info() const { return m_info; }

private:
    LRESULT Send(UINT message, WPARAM wParam) const;

    ToolTipWindow& m_tip;
    TTTOOLINFOW m_info = {};
    std::wstring m_text;
    bool m_registered = false;
};
