// The dialog colour set and its cached pens and brushes.
#include "Color3DScheme.h"

Color3DScheme::Color3DScheme(SHORT mode, COLORREF face, COLORREF shadow, COLORREF highlight, COLORREF frame,
                             bool darkInner, SHORT flag)
    : mode_(mode), flag_(flag)
{
    if (mode == 0) {
        face_ = RGB(0xC0, 0xC0, 0xC0);
        shadow_ = RGB(0x80, 0x80, 0x80);
        highlight_ = RGB(0xFF, 0xFF, 0xFF);
        frame_ = RGB(0, 0, 0);
        innerShadow_ = darkInner ? RGB(0, 0, 0) : RGB(0x80, 0x80, 0x80);
        innerHighlight_ = RGB(0xFF, 0xFF, 0xFF);
        return;
    }
    if (mode == 1) {
        face_ = GetSysColor(COLOR_3DFACE);
        shadow_ = GetSysColor(COLOR_3DSHADOW);
        highlight_ = GetSysColor(COLOR_3DHILIGHT);
        frame_ = GetSysColor(COLOR_WINDOWFRAME);
    } else {
        face_ = face;
        shadow_ = shadow;
        highlight_ = highlight;
        frame_ = frame;
    }
    innerShadow_ = shadow_;
    innerHighlight_ = highlight_;
}

Color3DScheme::~Color3DScheme()
{
    for (HGDIOBJ& object : cache_) {
        if (object)
            DeleteObject(object);
        object = nullptr;
    }
}

HPEN Color3DScheme::PenFor(COLORREF colour, Slot slot)
{
    if (colour == RGB(0, 0, 0))
        return static_cast<HPEN>(GetStockObject(BLACK_PEN));
    if (colour == RGB(0xFF, 0xFF, 0xFF))
        return static_cast<HPEN>(GetStockObject(WHITE_PEN));
    if (!cache_[slot])
        cache_[slot] = CreatePen(PS_SOLID, 1, colour);
    return static_cast<HPEN>(cache_[slot]);
}

HPEN Color3DScheme::GetShadowPen()
{
    return PenFor(shadow_, ShadowPenSlot);
}

HPEN Color3DScheme::GetHighlightPen()
{
    return PenFor(highlight_, HighlightPenSlot);
}

HBRUSH Color3DScheme::GetFaceBrush()
{
    int stock = -1;
    switch (face_) {
    case RGB(0, 0, 0): stock = BLACK_BRUSH; break;
    case RGB(0x80, 0x80, 0x80): stock = GRAY_BRUSH; break;
    case RGB(0xC0, 0xC0, 0xC0): stock = LTGRAY_BRUSH; break;
    case RGB(0xFF, 0xFF, 0xFF): stock = WHITE_BRUSH; break;
    default: break;
    }
    if (stock >= 0)
        return static_cast<HBRUSH>(GetStockObject(stock));
    if (!cache_[FaceBrushSlot])
        cache_[FaceBrushSlot] = CreateSolidBrush(face_);
    return static_cast<HBRUSH>(cache_[FaceBrushSlot]);
}

COLORREF Color3DScheme::GetTextColor() const
{
    return mode_ == 0 ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
}

BOOL DrawDialogItemEdge(HDC dc, HWND dialog, int itemId, UINT edge, UINT flags, int inflation)
{
    HWND item = GetDlgItem(dialog, itemId);
    RECT rect;
    if (!item || !GetWindowRect(item, &rect))
        return FALSE;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    InflateRect(&rect, inflation, inflation);
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
        InflateRect(&rect, 1, 1);
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER))
        InflateRect(&rect, 1, 1);
    return DrawEdge(dc, &rect, edge, flags);
}
