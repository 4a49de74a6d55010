// CScrollBar: a scroll region's scroll bar: a standard "SCROLLBAR" child of
// the grid window, subclassed so that it hands the focus back to the grid,
// stays unpainted while the control's Redraw is off and passes mouse moves
// on to the grid. It keeps the scroll information while the window does not
// exist, so that a region can set and read positions before it is shown.
#pragma once

#include <windows.h>

class CScrollBar;

// The owning region's side of its scroll bar.
class ScrollBarOwner {
public:
    virtual bool CanScroll() = 0;
    // A reflected WM_HSCROLL or WM_VSCROLL of the bar.
    virtual void OnScroll(CScrollBar* bar, WPARAM wParam, int notify, int reserved) = 0;

protected:
    ~ScrollBarOwner() = default;
};

class CScrollBar {
public:
    static constexpr DWORD ValidMark = 0x730198F5;
    // Answers, for a grid window, whether its control is a valid object in
    // run mode whose Redraw is off; the control installs it.
    using RedrawOffQuery = bool (*)(HWND gridWindow);

    // owner is not owned.
    CScrollBar(bool vertical, bool disableWhenNotNeeded, ScrollBarOwner* owner);
    ~CScrollBar();
    CScrollBar(const CScrollBar&) = delete;
    CScrollBar& operator=(const CScrollBar&) = delete;

    // Makes the window under parent (or moves it when it exists there);
    // false with another parent or when it cannot be made.
    bool Create(HWND parent, const RECT* rect);
    void Move(int left, int top, int right, int bottom, bool repaint);
    void Show(int command);
    bool IsWindowValid() const;
    void Destroy();
    // From the window, or from the cache while there is none; false when
    // nothing was filled.
    bool GetScrollInfo(SCROLLINFO& info) const;
    // Answers the cached position.
    int SetScrollInfo(SCROLLINFO& info, bool redraw);

    HWND Window() const { return window_; }
    const RECT& Rect() const { return rect_; }
    bool IsVertical() const { return vertical_; }
    bool DisablesWhenNotNeeded() const { return disableWhenNotNeeded_; }

    static CScrollBar* FromWindow(HWND window);
    // For every message of the grid window: hands a scroll message of one of
    // our bars to its owner. Always answers 0.
    static LRESULT ReflectScroll(UINT message, WPARAM wParam, HWND window);
    static void SetRedrawOffQuery(RedrawOffQuery query);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool IsRedrawOff(HWND scrollBar);
    LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

    bool vertical_;
    bool disableWhenNotNeeded_;
    RECT rect_ = {};
    int minimum_ = 0;
    int maximum_ = 0;
    int page_ = 0;
    int position_ = 0;
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    DWORD mark_ = ValidMark;
    ScrollBarOwner* owner_; // not owned
};
