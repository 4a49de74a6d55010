// HvDropGuideWnd: the double-arrow region, placement and paint of the drop
// guide.
#include "HvDropGuideWnd.h"

#include "GdiScope.h"

HvDropGuideWnd::HvDropGuideWnd(HWND owner) : m_owner(owner), m_popup(L"HvDropGuideWnd", L"DropGuideWnd", WindowProc)
{
}

HRESULT HvDropGuideWnd::Create()
{
    return m_popup.Create(m_width, m_height, this) ? S_OK : E_FAIL;
}

void HvDropGuideWnd::SetShape(const RECT& header)
{
    if (!Window())
        return;
    const int h = header.bottom - header.top;
    if (m_shapeMade && m_shapeHeight == h)
        return;
    const POINT down[] = {{0, 3}, {9, 3}, {4, 12}, {0, 4}};
    const POINT up[] = {{0, h + 21}, {9, h + 21}, {4, h + 11}, {0, h + 19}};
    GdiObject<HRGN> downArrow(CreatePolygonRgn(down, 4, WINDING));
    GdiObject<HRGN> upArrow(CreatePolygonRgn(up, 4, WINDING));
    GdiObject<HRGN> lowerStem(CreateRectRgn(3, h + 20, 6, h + 24));
    HRGN shape = CreateRectRgn(3, 0, 6, 3);
    if (!shape || !downArrow || !upArrow || !lowerStem) {
        if (shape)
            DeleteObject(shape);
        return;
    }
    CombineRgn(shape, shape, downArrow.Get(), RGN_OR);
    CombineRgn(shape, shape, upArrow.Get(), RGN_OR);
    CombineRgn(shape, shape, lowerStem.Get(), RGN_OR);
    m_width = 15;
    m_height = h + 24;
    SetWindowPos(Window(), nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The window owns the region once it took it.
    if (!SetWindowRgn(Window(), shape, TRUE))
        DeleteObject(shape);
    m_shapeMade = true;
    m_shapeHeight = h;
    ++m_shapeBuilds;
}

void HvDropGuideWnd::Place(POINT anchor, const RECT& header)
{
    if (!Window())
        return;
    SetShape(header);
    MoveWindow(Window(), anchor.x - 4, anchor.y - 12, m_width, m_height, TRUE);
    if (!IsWindowVisible(Window())) {
        ShowWindow(Window(), SW_SHOWNA);
        UpdateWindow(Window());
    }
}

void HvDropGuideWnd::Hide()
{
    if (Window())
        ShowWindow(Window(), SW_HIDE);
}

LRESULT CALLBACK HvDropGuideWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return FeedbackPopup::Dispatch<HvDropGuideWnd>(window, message, wParam, lParam,
                                                   [](HvDropGuideWnd*, HDC dc, const RECT& paint) {
                                                       GdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
                                                       if (red)
                                                           FillRect(dc, &paint, red.Get());
                                                   });
}
