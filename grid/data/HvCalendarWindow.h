// HvCalendarWindow: the layout's month calendar that drops down under a
// date cell, shared by every cell of the layout. It shows the cell's date
// (today for a cell without one) and hands back the picked day as text.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

class CellEditor;

class HvCalendarWindow {
public:
    explicit HvCalendarWindow(CellEditor& editor) : editor_(editor) {}
    ~HvCalendarWindow();
    HvCalendarWindow(const HvCalendarWindow&) = delete;
    HvCalendarWindow& operator=(const HvCalendarWindow&) = delete;

    // rect: the cell's drop-down button in screen coordinates.
    HWND Create(const RECT& rect);
    HWND Handle() const { return window_ && IsWindow(window_) ? window_ : nullptr; }
    bool IsVisible() const { return Handle() && IsWindowVisible(window_); }
    void Hide();
    void Show();
    // Below rect at its smallest size, above it when the work area ends
    // first, and never outside the work area sideways.
    void Position(const RECT& rect);
    // A value that converts to a date sets that day; anything else today.
    void SetDate(const VARIANT& value);
    // The picked day at midnight as the locale's date text; false when none.
    bool SelectedDateText(std::wstring* text) const;
    void Destroy();

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnKillFocus(HWND next);

    CellEditor& editor_;
    HWND window_ = nullptr;
    WNDPROC oldProc_ = nullptr;
};
