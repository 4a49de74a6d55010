// ToolTipWindow: the control's one tracking tooltip window of the common
// controls library. The window is made on first need under the control
// window, subclassed so that a tip hides itself when clicked (the click goes
// on to the control) or when it has been shown for the auto-pop time, and
// destroyed with the wrapper. The display code decides when a tip shows and
// what it says, through the tools it adds (ToolTipTool).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

class ToolTipTool;

// What the wrapper needs of the control: the window the tips belong to.
class ToolTipOwner
{
public:
    virtual HWND ToolTipOwnerWindow() = 0;

protected:
    ~ToolTipOwner() = default;
};

class ToolTipWindow
{
public:
    // The hide timer's identifier on the tooltip window.
    static constexpr UINT_PTR kHideTimer = 88;

    // owner is not owned; it outlives the wrapper (the control destroys the
    // wrapper before its window).
    explicit ToolTipWindow(ToolTipOwner* owner);
    virtual ~ToolTipWindow();
    ToolTipWindow(const ToolTipWindow&) = delete;
    ToolTipWindow& operator=(const ToolTipWindow&) = delete;

    // Makes the tooltip window when it does not exist yet; false when there
    // is no live owner window or the window cannot be made.
    BOOL CreateToolTipWindow();

    // Registers a tool (flags such as TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    // text copied; rectangle may be null). Null when no tooltip window can be
    // made or the registration fails. Every tool must die before the wrapper.
    std::unique_ptr<ToolTipTool> AddTool(HWND window, UINT_PTR id, UINT flags, const wchar_t* text,
                                         const RECT* rectangle);

    // Messages to the tooltip window; each does nothing without a live one.
    void TrackPosition(POINT point);
    void SetMaxTipWidth(int width);
    void SetMargin(const RECT& margin);
    // Gives the tips a copy of font; the copy stays with the wrapper until
    // the next font, so the caller's font may go at any time. A null or
    // unreadable font leaves the tips' font as it is.
    void SetFont(HFONT font);
    // Stops a running hide timer; with start, starts it again with the tip's
    // auto-pop time.
    void SetDelayTimer(BOOL start);

    // Asks for mouse tracking of the owner window (_TrackMouseEvent of the
    // common controls library, found by name). FALSE when there is no owner
    // window or tooltip window, or the library or function is missing.
    BOOL TrackMouseEvent(DWORD flags, DWORD hoverTime);

    // The tooltip window when it is alive, else null.
    HWND Window() const;
    // The running hide timer's identifier, 0 when none runs.
    UINT_PTR HideTimer() const { return m_hideTimer; }
    HWND OwnerWindow() const;

    // The tool whose tip is tracked now (set by ToolTipTool), hidden by the
    // timer and by a click when the tooltip window names no current tool.
    void NoteTrackedTool(const TTTOOLINFOW* tool) { m_trackedTool = tool; }
    const TTTOOLINFOW* TrackedTool() const { return m_trackedTool; }

private:
    static LRESULT CALLBACK ToolTipWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivate(LPARAM lParam);
    void HideCurrentTool();
    LRESULT CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

    ToolTipOwner* m_owner;
    HWND m_window = nullptr;
    WNDPROC m_originalProc = nullptr;
    UINT_PTR m_hideTimer = 0;
    const TTTOOLINFOW* m_trackedTool = nullptr;  // not owned
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> m_font;
};
