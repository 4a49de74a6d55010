// HvEditWindow: the layout's EDIT window that edits a cell's text in place,
// a popup owned by the grid window, shared by every cell of the layout and
// made again only when the style bits a cell needs differ. Its window
// procedure routes focus changes, keys and clicks between the editor, the
// input mask, the drop-down list and the control's input dispatcher.
#pragma once

#include "EditorHost.h"

#include <windows.h>

#include <string>

class CellEditor;
class HvCell;

class HvEditWindow {
public:
    static constexpr const wchar_t* ParentProperty = L"HvParentProp";
    static constexpr const wchar_t* ControlProperty = L"HvTavelleProp";

    explicit HvEditWindow(CellEditor& editor) : editor_(editor) {}
    ~HvEditWindow();
    HvEditWindow(const HvEditWindow&) = delete;
    HvEditWindow& operator=(const HvEditWindow&) = delete;

    // alignment 1 left, 2 centre, 3 right; rect in grid-window client
    // coordinates. Keeps the window when its style bits still fit. A
    // multi-line-capable cell whose column sizes its editor automatically
    // starts as its text (measured with font) or BeforeAutoSizeEdit says.
    HWND Create(LONG alignment, RECT rect, bool singleLine, HvCell* cell, HFONT font = nullptr);
    HWND Handle() const { return window_ && IsWindow(window_) ? window_ : nullptr; }
    bool IsVisible() const { return Handle() && IsWindowVisible(window_); }
    bool HasFocus() const { return Handle() && GetFocus() == window_; }
    void Show();
    void Hide();
    // Keeps the text colour; a new brush only when the back colour changed.
    HBRUSH SetColors(COLORREF back, COLORREF text);
    HBRUSH Brush() const { return brush_; }
    COLORREF TextColor() const { return textColor_; }
    COLORREF BackColor() const { return backColor_; }
    // Stores the rectangle (screen coordinates) and moves the window to it.
    void SetRect(const RECT& screen);
    const RECT& ScreenRect() const { return screenRect_; }
    // The window's text set by the grid (no change notice follows).
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void Destroy();
    // The text grew (EN_UPDATE): an automatically sized window grows with
    // it up to its limits and the monitor's work area.
    void GrowToText();
    bool IsAutoSizing() const { return autoSizing_; }
    // The active cell's column changed its Case: the live window follows.
    void SetCase(LONG textCase);

    // The style bits for a cell, as Create would choose them.
    static DWORD StyleFor(LONG alignment, bool singleLine, LONG textCase, bool readOnly, bool multiLine,
                          bool vertScrollBar);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam, bool* handled);
    LRESULT OnFocusLeft(WPARAM wParam, LPARAM lParam, bool* handled);
    LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    bool ForwardToDispatcher(UINT message, WPARAM wParam, LPARAM lParam);
    LONG MaskMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void CompleteTyping(WPARAM character, bool caretWasAtEnd);
    void ClipToGrid(RECT* rect);
    // The start rectangle of an automatically sized window.
    void SizeToText(RECT* rect, LONG alignment, bool multiLine, HvCell* cell, HFONT font);
    void Publish();
    // Adds a border to a window that starts to grow past its cell.
    void AddBorder(RECT* rect);

    CellEditor& editor_;
    HWND window_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    HBRUSH brush_ = nullptr;
    COLORREF backColor_ = CLR_INVALID;
    COLORREF textColor_ = 0;
    RECT clientRect_{};
    RECT screenRect_{};
    DWORD lastPassedClick_ = 0;
    bool autoSizing_ = false;  // sized by its text (BeforeAutoSizeEdit not cancelled)
    AutoSizeLimits limits_;
};
