// Page display with scrolling; painting is double-buffered.
#include "PageView.h"

#include <algorithm>

#include "Container.h"
#include "GdiGuards.h"
#include "GdiObject.h"
#include "PageGeometry.h"
#include "PageRenderer.h"
#include "Report.h"
#include "Twips.h"

namespace hv::report {

namespace {

constexpr int kGap = 16;         // grey border around the page, in pixels
constexpr int kShadow = 4;
constexpr int kLineStep = 40;    // pixels per scroll-bar arrow click

} // namespace

PageView::PageView(forms::Container& parent, const forms::TwipsRect& place, const Report& report)
    : Control(parent, place), report_(report)
{
    const RECT pixels{forms::TwipsToPixelsX(place.left), forms::TwipsToPixelsY(place.top),
                      forms::TwipsToPixelsX(place.left + place.width),
                      forms::TwipsToPixelsY(place.top + place.height)};
    Attach(CreateHandlerWindow(WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP |
                                                     WS_HSCROLL | WS_VSCROLL,
                               L"", pixels, parent.ClientWindow()));
    UpdateScrollBars();
}

void PageView::SetPage(long page)
{
    page_ = page;
    ScrollTo(scrollX_, 0);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void PageView::SetZoom(int percent)
{
    zoom_ = std::clamp(percent, 10, 400);
    UpdateScrollBars();
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

SIZE PageView::PagePixels() const
{
    const int width = MulDiv(kPageWidth, forms::ScreenDpiX() * zoom_, kTwipsPerInch * 100);
    const int height = MulDiv(kPageHeight, forms::ScreenDpiY() * zoom_, kTwipsPerInch * 100);
    return SIZE{width, height};
}

RECT PageView::PageRect() const
{
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const SIZE page = PagePixels();
    const int left = std::max<int>(kGap, (client.right - page.cx) / 2) - scrollX_;
    const int top = kGap - scrollY_;
    return RECT{left, top, left + page.cx, top + page.cy};
}

void PageView::UpdateScrollBars()
{
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const SIZE page = PagePixels();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = page.cx + 2 * kGap - 1;
    info.nPage = static_cast<UINT>(client.right);
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, info.nMax + 1 - static_cast<int>(info.nPage)));
    info.nPos = scrollX_;
    SetScrollInfo(Hwnd(), SB_HORZ, &info, TRUE);
    info.nMax = page.cy + 2 * kGap - 1;
    info.nPage = static_cast<UINT>(client.bottom);
    scrollY_ = std::clamp(scrollY_, 0, std::max(0, info.nMax + 1 - static_cast<int>(info.nPage)));
    info.nPos = scrollY_;
    SetScrollInfo(Hwnd(), SB_VERT, &info, TRUE);
}

void PageView::ScrollTo(int x, int y)
{
    scrollX_ = x;
    scrollY_ = y;
    UpdateScrollBars();
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void PageView::Scroll(int bar, int code, int amount)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(Hwnd(), bar, &info);
    int pos = info.nPos;
    switch (code) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    case -1: pos += amount; break;  // wheel
    default: return;
    }
    if (bar == SB_HORZ)
        ScrollTo(pos, scrollY_);
    else
        ScrollTo(scrollX_, pos);
}

void PageView::Paint(HDC dc, const RECT& client) const
{
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    const RECT page = PageRect();
    RECT shadow = page;
    OffsetRect(&shadow, kShadow, kShadow);
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    report_.DrawPage(page_, dc, page);
}

LRESULT PageView::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client{};
        GetClientRect(hwnd, &client);
        MemoryDc buffer(dc);
        forms::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (buffer.Get() && bitmap) {
            Selection selected(buffer.Get(), bitmap.Get());
            Paint(buffer.Get(), client);
            BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hwnd, &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_SIZE:
        UpdateScrollBars();
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_VSCROLL:
        Scroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        Scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        Scroll(SB_VERT, -1, -GET_WHEEL_DELTA_WPARAM(wParam) * kLineStep * 3 / WHEEL_DELTA);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (KeyDown && KeyDown(static_cast<UINT>(wParam)))
            return 0;
        if (wParam == VK_UP || wParam == VK_DOWN) {
            Scroll(SB_VERT, wParam == VK_UP ? SB_LINEUP : SB_LINEDOWN);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace hv::report
