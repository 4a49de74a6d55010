// CScrollBar: the window, its subclass procedure and the cached scroll
// information.
#include "ScrollBar.h"

#include "Module.h"

#include <atomic>

namespace {

const wchar_t kProperty[] = L"CScrollBar";
std::atomic<CScrollBar::RedrawOffQuery> g_redrawOffQuery{nullptr};

} // namespace

CScrollBar::CScrollBar(bool vertical, bool disableWhenNotNeeded, ScrollBarOwner* owner)
    : vertical_(vertical), disableWhenNotNeeded_(disableWhenNotNeeded), owner_(owner)
{
}

CScrollBar::~CScrollBar()
{
    if (window_ && IsWindow(window_) && GetPropW(window_, kProperty) == this) {
        // A window that outlives us must not run our procedure any more.
        if (previous_)
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(window_, kProperty);
    }
    mark_ = 0;
}

void CScrollBar::SetRedrawOffQuery(RedrawOffQuery query)
{
    g_redrawOffQuery = query;
}

bool CScrollBar::IsRedrawOff(HWND scrollBar)
{
    RedrawOffQuery query = g_redrawOffQuery;
    HWND parent = scrollBar ? GetParent(scrollBar) : nullptr;
    return query && parent && query(parent);
}

bool CScrollBar::Create(HWND parent, const RECT* rect)
{
    if (IsWindowValid()) {
        if (GetParent(window_) != parent)
            return false;
        if (rect)
            Move(rect->left, rect->top, rect->right, rect->bottom, true);
        return true;
    }
    if (rect)
        rect_ = *rect;
    const DWORD style = WS_CHILD | (vertical_ ? SBS_VERT : SBS_HORZ);
    window_ = CreateWindowExW(0, L"SCROLLBAR", nullptr, style, rect_.left, rect_.top, rect_.right - rect_.left,
                              rect_.bottom - rect_.top, parent, nullptr, ModuleInstance(), nullptr);
    if (!window_)
        return false;
    SetPropW(window_, kProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CScrollBar::WindowProc)));
    if (disableWhenNotNeeded_) {
        SCROLLINFO info = {sizeof info, SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
        ::SetScrollInfo(window_, SB_CTL, &info, FALSE);
    }
    return true;
}

void CScrollBar::Move(int left, int top, int right, int bottom, bool repaint)
{
    rect_ = {left, top, right, bottom};
    if (!IsWindowValid())
        return;
    MoveWindow(window_, left, top, right - left, bottom - top, repaint);
    UpdateWindow(window_);
}

void CScrollBar::Show(int command)
{
    if (IsWindowValid())
        ShowWindow(window_, command);
}

bool CScrollBar::IsWindowValid() const
{
    return window_ && IsWindow(window_);
}

void CScrollBar::Destroy()
{
    if (!IsWindowValid()) {
        window_ = nullptr;
        return;
    }
    auto* named = static_cast<CScrollBar*>(GetPropW(window_, kProperty));
    // A window another bar has taken over is that bar's to destroy.
    if (!named || named == this)
        DestroyWindow(window_);
    window_ = nullptr;
}

bool CScrollBar::GetScrollInfo(SCROLLINFO& info) const
{
    info.cbSize = sizeof(SCROLLINFO);
    if (IsWindowValid())
        return ::GetScrollInfo(window_, SB_CTL, &info) != FALSE;
    bool filled = false;
    if (info.fMask & SIF_PAGE) {
        info.nPage = static_cast<UINT>(page_);
        filled = true;
    }
    if (info.fMask & SIF_POS) {
        info.nPos = position_;
        filled = true;
    }
    if (info.fMask & SIF_RANGE) {
        info.nMin = minimum_;
        info.nMax = maximum_;
        filled = true;
    }
    if (info.fMask & SIF_TRACKPOS) {
        info.nTrackPos = position_;
        filled = true;
    }
    return filled;
}

int CScrollBar::SetScrollInfo(SCROLLINFO& info, bool redraw)
{
    info.cbSize = sizeof(SCROLLINFO);
    const bool hasWindow = IsWindowValid();
    if (hasWindow) {
        if (IsRedrawOff(window_))
            redraw = false;
        // The window clamps the position to its range: that is the one kept.
        position_ = ::SetScrollInfo(window_, SB_CTL, &info, redraw);
    }
    if (info.fMask & SIF_PAGE)
        page_ = static_cast<int>(info.nPage);
    if ((info.fMask & SIF_POS) && !hasWindow)
        position_ = info.nPos;
    if (info.fMask & SIF_RANGE) {
        minimum_ = info.nMin;
        maximum_ = info.nMax;
    }
    if ((info.fMask & SIF_DISABLENOSCROLL) == SIF_DISABLENOSCROLL)
        disableWhenNotNeeded_ = true;
    return position_;
}

CScrollBar* CScrollBar::FromWindow(HWND window)
{
    if (!window || !IsWindow(window))
        return nullptr;
    auto* bar = static_cast<CScrollBar*>(GetPropW(window, kProperty));
    return bar && bar->mark_ == ValidMark ? bar : nullptr;
}

LRESULT CScrollBar::ReflectScroll(UINT message, WPARAM wParam, HWND window)
{
    if (message != WM_HSCROLL && message != WM_VSCROLL)
        return 0;
    CScrollBar* bar = FromWindow(window);
    if (bar && bar->owner_ && bar->owner_->CanScroll())
        bar->owner_->OnScroll(bar, wParam, 1, 0);
    return 0;
}

LRESULT CScrollBar::CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return previous_ ? CallWindowProcW(previous_, window, message, wParam, lParam)
                     : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CScrollBar::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CScrollBar* bar = FromWindow(window);
    if (!bar)
        return 0;
    switch (message) {
    case WM_SETFOCUS:
        SetFocus(GetParent(window));
        return 0;
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
        if (IsRedrawOff(window)) {
            ValidateRect(window, nullptr);
            return 1;
        }
        break;
    case WM_NCDESTROY: {
        const WNDPROC previous = bar->previous_;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(window, kProperty);
        bar->window_ = nullptr;
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    case WM_MOUSEMOVE: {
        HWND parent = GetParent(window);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        MapWindowPoints(window, parent, &point, 1);
        PostMessageW(parent, WM_MOUSEMOVE, wParam, MAKELPARAM(point.x, point.y));
        break;
    }
    default:
        break;
    }
    return bar->CallPrevious(window, message, wParam, lParam);
}
