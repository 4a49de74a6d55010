// HvLayout: window utilities for the grid's editors and drop-downs: the
// caption hold that keeps the form's caption active while a popup has the
// focus, the container form and rectangles relative to it, and placing a
// picture beside text.
#include "HvLayout.h"

#include "AppearanceData.h"
#include "LayoutGridSeam.h"

#include <cwchar>

namespace {

constexpr wchar_t CaptionWindowProp[] = L"CaptionWindowProp";
constexpr wchar_t ParentProp[] = L"HvParentProp";
constexpr wchar_t EditorProp[] = L"HvTavelleProp";
// On both subclassed windows: the layout of the hold, and on the captioned
// window its previous procedure (the frame keeps its own under
// CaptionWindowProp). The windows' user data stays their owners'.
constexpr wchar_t LayoutProp[] = L"HvCaptionLayout";
constexpr wchar_t PreviousProp[] = L"HvCaptionPrevious";

// One caption hold at a time, user-interface thread only.
HWND g_captionWindow = nullptr;
WNDPROC g_captionPrevious = nullptr;
HWND g_frameWindow = nullptr;

LRESULT CALLBACK CaptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HvLayout* LayoutOf(HWND window)
{
    auto* layout = static_cast<HvLayout*>(GetPropW(window, LayoutProp));
    return layout && IsValidObjectPointer(layout) ? layout : nullptr;
}

// Takes a subclassing procedure off a window whose hold has ended: the
// procedure it replaced comes back when this one is still on top (another
// subclass above it keeps its place), and the properties go.
// A hook that another subclass covers stays in the chain, passing messages
// on, until it comes back on top.
WNDPROC Unhook(HWND window, WNDPROC hook, const wchar_t* previousProp)
{
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, previousProp));
    if (previous && GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(hook)) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(window, previousProp);
    }
    RemovePropW(window, LayoutProp);
    return previous;
}

// A message for a window that no hold covers any more.
LRESULT PassOn(HWND window, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previous)
        return CallWindowProcW(previous, window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// The colour and position messages that both subclassed windows answer.
bool HandleShared(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HvLayout* layout = g_captionWindow ? LayoutOf(g_captionWindow) : nullptr;
    if (!layout)
        return false;
    if ((message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) &&
        reinterpret_cast<HWND>(lParam) == layout->EditWindow()) {
        HBRUSH brush = nullptr;
        COLORREF back = 0, text = 0;
        if (layout->EditColours(&brush, &back, &text) && brush) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, back);
            SetTextColor(dc, text);
            *result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
    }
    if (message == WM_WINDOWPOSCHANGED && layout->EditWindow() && IsWindowVisible(layout->EditWindow()))
        layout->RepositionEditWindow();
    return false;
}

LRESULT CALLBACK CaptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != g_captionWindow || !g_captionPrevious)
        return PassOn(window, Unhook(window, CaptionProc, PreviousProp), message, wParam, lParam);
    WNDPROC previous = g_captionPrevious;
    LRESULT result = 0;
    switch (message) {
    case WM_NCACTIVATE:
        if (!wParam)
            return TRUE;
        break;
    case WM_NCDESTROY:
        // The window goes: the hold ends and the message goes on to the
        // procedure the hold replaced, now, while the window still exists.
        HvLayout::RestoreCaptionWindows();
        g_captionWindow = nullptr;
        return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_CLOSE:
        if (HvLayout* layout = LayoutOf(window)) {
            layout->ExitActiveCellEditMode();
            if (!g_captionPrevious) {
                PostMessageW(window, WM_CLOSE, wParam, lParam);
                return 1;
            }
        }
        break;
    default:
        if (HandleShared(window, message, wParam, lParam, &result))
            return result;
        break;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, CaptionWindowProp));
    if (!previous || window != g_frameWindow)
        return PassOn(window, Unhook(window, FrameProc, CaptionWindowProp), message, wParam, lParam);
    LRESULT result = 0;
    switch (message) {
    case WM_NCACTIVATE:
        if (!wParam)
            return TRUE;
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(window, CaptionWindowProp);
        RemovePropW(window, LayoutProp);
        g_frameWindow = nullptr;
        break;
    default:
        if (HandleShared(window, message, wParam, lParam, &result))
            return result;
        break;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

bool ClassNameIs(HWND window, const wchar_t* name)
{
    wchar_t className[32] = {};
    if (GetClassNameW(window, className, 32) == 0)
        return false;
    return _wcsicmp(className, name) == 0;
}

} // namespace

HWND HvLayout::GetCaptionedAncestor(HWND window)
{
    HWND desktop = GetDesktopWindow();
    HWND last = window;
    for (HWND current = window; current && current != desktop; current = GetParent(current)) {
        last = current;
        if ((GetWindowLongW(current, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            return current;
    }
    return last;
}

HWND HvLayout::CaptionHoldWindow()
{
    return g_captionPrevious ? g_captionWindow : nullptr;
}

void HvLayout::SubclassCaptionWindows(HWND window, HvLayout* layout)
{
    if (g_captionPrevious || !window)
        return;
    HWND captioned = GetCaptionedAncestor(window);
    // A hook of an earlier hold still covered by another subclass: a second
    // one beneath it would call itself.
    if (!captioned || GetPropW(captioned, PreviousProp))
        return;
    SendMessageW(captioned, WM_NCACTIVATE, TRUE, 0);
    SetPropW(captioned, LayoutProp, static_cast<HANDLE>(layout));
    g_captionPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(captioned, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CaptionProc)));
    SetPropW(captioned, PreviousProp, reinterpret_cast<HANDLE>(g_captionPrevious));
    g_captionWindow = captioned;
    HWND parent = GetParent(captioned);
    HWND frame = parent ? GetCaptionedAncestor(parent) : nullptr;
    if (frame && frame != captioned && !GetPropW(frame, CaptionWindowProp)) {
        SetPropW(frame, LayoutProp, static_cast<HANDLE>(layout));
        auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
        SetPropW(frame, CaptionWindowProp, reinterpret_cast<HANDLE>(previous));
        g_frameWindow = frame;
    }
}

HvLayout* HvLayout::CaptionHoldLayout()
{
    return g_captionPrevious && g_captionWindow ? static_cast<HvLayout*>(GetPropW(g_captionWindow, LayoutProp))
                                                : nullptr;
}

void HvLayout::RestoreCaptionWindows()
{
    if (!g_captionPrevious)
        return;
    HWND captioned = g_captionWindow;
    HWND frame = g_frameWindow;
    if (frame && IsWindow(frame))
        Unhook(frame, FrameProc, CaptionWindowProp);
    g_frameWindow = nullptr;
    if (captioned && IsWindow(captioned))
        Unhook(captioned, CaptionProc, PreviousProp);
    g_captionPrevious = nullptr;

    HWND active = GetActiveWindow();
    bool mdi = false;
    if (active)
        if (HWND client = FindWindowExW(active, nullptr, L"MDIClient", nullptr)) {
            active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
            mdi = true;
        }
    if (!active)
        active = GetFocus();
    const bool isActive = active && (active == frame || active == captioned || IsChild(captioned, active));
    if (mdi) {
        if (captioned)
            PostMessageW(captioned, WM_NCACTIVATE, isActive, 0);
        g_captionWindow = nullptr;
    } else if (frame) {
        PostMessageW(frame, WM_NCACTIVATE, isActive, 0);
    } else if (captioned) {
        PostMessageW(captioned, WM_NCACTIVATE, isActive, 0);
    }
}

void HvLayout::ShowEditorWindow(HWND window, int showCommand)
{
    RestoreCaptionWindows();
    if (grid_ && grid_->IsAlive())
        if (HWND owner = grid_->EditorOwnerWindow())
            SubclassCaptionWindows(owner, this);
    ShowWindow(window, showCommand);
}

void HvLayout::ShowChildWindow(HWND window, int showCommand)
{
    if (IsWindow(window)) {
        state1_ |= State1ShowingChild;
        ShowWindow(window, showCommand);
        state1_ &= static_cast<BYTE>(~State1ShowingChild);
    }
    auto parent = static_cast<HWND>(GetPropW(window, ParentProp));
    if (!parent || !g_captionPrevious || GetCaptionedAncestor(parent) != g_captionWindow)
        return;
    HWND focus = GetFocus();
    bool keep = false;
    if (focus && focus != window && GetPropW(focus, EditorProp) &&
        (ClassNameIs(focus, L"Edit") || ClassNameIs(focus, L"SysMonthCal32"))) {
        HWND focusGrid = static_cast<HWND>(GetPropW(focus, ParentProp));
        HWND grid = GetGridWindow();
        keep = focusGrid && grid && GetCaptionedAncestor(focusGrid) == GetCaptionedAncestor(grid);
    }
    if (!keep)
        RestoreCaptionWindows();
}

HWND HvLayout::GetContainerFormWindow()
{
    HWND grid = GetGridWindow();
    if (!grid)
        return nullptr;
    static const wchar_t* const formClasses[] = {L"thunderform",   L"thunderformdc",    L"thundermdiform",
                                                 L"thunderrtform", L"thunderrtmdiform", L"omain"};
    HWND desktop = GetDesktopWindow();
    HWND last = grid;
    for (HWND current = GetParent(grid); current && current != desktop; current = GetParent(current)) {
        if (GetWindowLongW(current, GWL_EXSTYLE) & WS_EX_MDICHILD)
            return current;
        wchar_t className[19] = {};
        if (GetClassNameW(current, className, 19) == 0)
            return last;
        for (const wchar_t* name : formClasses)
            if (_wcsicmp(className, name) == 0)
                return current;
        last = current;
    }
    return last;
}

static bool ClientRectRelativeTo(HWND grid, HWND other, RECT* rect)
{
    if (!grid || !other || !rect)
        return false;
    RECT client{};
    GetClientRect(grid, &client);
    POINT topLeft{client.left, client.top};
    POINT bottomRight{client.right, client.bottom};
    ClientToScreen(grid, &topLeft);
    ClientToScreen(grid, &bottomRight);
    POINT origin{0, 0};
    ClientToScreen(other, &origin);
    *rect = RECT{topLeft.x - origin.x, topLeft.y - origin.y, bottomRight.x - origin.x, bottomRight.y - origin.y};
    return true;
}

bool HvLayout::GetParentRect(RECT* rect)
{
    HWND grid = GetGridWindow();
    return ClientRectRelativeTo(grid, grid ? GetParent(grid) : nullptr, rect);
}

bool HvLayout::GetContainerRect(RECT* rect)
{
    HWND grid = GetGridWindow();
    HWND form = GetContainerFormWindow();
    if (form && form != grid)
        return ClientRectRelativeTo(grid, form, rect);
    return GetParentRect(rect);
}

void HvLayout::SetEditWindow(HWND window, HBRUSH brush, COLORREF back, COLORREF text)
{
    editWindow_ = window;
    editBrush_ = brush;
    editBackColor_ = back;
    editTextColor_ = text;
}

bool HvLayout::EditColours(HBRUSH* brush, COLORREF* back, COLORREF* text) const
{
    if (!editBrush_)
        return false;
    *brush = editBrush_;
    *back = editBackColor_;
    *text = editTextColor_;
    return true;
}

void HvLayout::ExitActiveCellEditMode()
{
    // Leaving edit mode is the grid's (its active cell's) work.
    if (grid_ && grid_->IsAlive())
        grid_->ExitEditMode();
}

void HvLayout::PositionPicture(RECT& rect, RECT* pictureRect, const AppearanceData& data)
{
    if (!pictureRect)
        return;
    SetRectEmpty(pictureRect);
    if (!data.HasPicture())
        return;
    SIZE size{};
    if (data.HasPictureObject())
        data.GetPictureSize(size);
    else
        size = GetImageSize();
    if (size.cx < 1 || size.cy < 1)
        return;
    const BYTE horizontal = data.Nibble(AppearanceBit::PictureAlign);
    const BYTE vertical = data.Nibble(AppearanceBit::PictureVAlign);
    RECT picture{rect.left, rect.top, rect.left + size.cx, rect.top + size.cy};
    switch (horizontal) {
    case 2:
        picture.left = rect.left + (rect.right - rect.left - size.cx) / 2;
        break;
    case 3:
        picture.left = rect.right - size.cx;
        rect.right -= size.cx + 1;
        break;
    default:
        rect.left += size.cx + 1;
        break;
    }
    picture.right = picture.left + size.cx;
    const LONG height = rect.bottom - rect.top;
    if (size.cy < height) {
        switch (vertical) {
        case 2:
            picture.top = rect.top + (height - size.cy) / 2;
            break;
        case 3:
            picture.top = rect.bottom - size.cy;
            break;
        default:
            picture.top = rect.top;
            break;
        }
        picture.bottom = picture.top + size.cy;
        if (horizontal == 2 && vertical == 1)
            rect.top = picture.bottom;
        else if (horizontal == 2 && vertical == 3)
            rect.bottom = picture.top;
    }
    *pictureRect = picture;
}
