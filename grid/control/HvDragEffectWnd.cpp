// HvDragEffectWnd: placement and painting of the drag image window.
#include "HvDragEffectWnd.h"

#include "GdiScope.h"

HvDragEffectWnd::HvDragEffectWnd() : m_popup(L"HvDragEffectWnd", L"DragWnd", WindowProc) {}

HvDragEffectWnd::~HvDragEffectWnd()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

bool HvDragEffectWnd::Create()
{
    return m_popup.Create(m_width, m_height, this);
}

void HvDragEffectWnd::SetImage(HBITMAP bitmap, int width, int height, HRGN region)
{
    if (m_bitmap && m_bitmap != bitmap)
        DeleteObject(m_bitmap);
    m_bitmap = bitmap;
    m_width = width;
    m_height = height;
    HWND window = Window();
    if (window)
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The window owns the region once it took it.
    if (region && !(window && SetWindowRgn(window, region, TRUE)))
        DeleteObject(region);
}

void HvDragEffectWnd::ClearImage()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_width = 0;
    m_height = 0;
}

POINT HvDragEffectWnd::TopLeftFor(POINT screen) const
{
    return POINT{screen.x - m_width / 2, screen.y - m_height};
}

void HvDragEffectWnd::ShowAt(POINT screen)
{
    if (!Window())
        return;
    const POINT at = TopLeftFor(screen);
    SetWindowPos(Window(), HWND_TOPMOST, at.x, at.y, m_width, m_height, SWP_NOACTIVATE);
    ShowWindow(Window(), SW_SHOWNOACTIVATE);
}

void HvDragEffectWnd::MoveTo(POINT screen, bool repaint)
{
    if (!Window())
        return;
    const POINT at = TopLeftFor(screen);
    MoveWindow(Window(), at.x, at.y, m_width, m_height, repaint);
}

void HvDragEffectWnd::Hide()
{
    if (Window())
        ShowWindow(Window(), SW_HIDE);
}

void HvDragEffectWnd::Paint(HDC dc, const RECT& paint)
{
    if (!m_bitmap) {
        RECT edge = paint;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT | BF_FLAT);
        return;
    }
    RECT all{0, 0, m_width, m_height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    MemoryDC memory(dc);
    if (!memory)
        return;
    SelectScope select(memory.Get(), m_bitmap);
    BitBlt(dc, 0, 0, m_width, m_height, memory.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK HvDragEffectWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return FeedbackPopup::Dispatch<HvDragEffectWnd>(
        window, message, wParam, lParam,
        [](HvDragEffectWnd* self, HDC dc, const RECT& paint) { self->Paint(dc, paint); });
}
