// CDrawContext: construction, the GDI state cache, clipping, layers and the
// plain GDI operations on the current drawing context.
#include "DrawContext.h"

#include "AlphaBlendBinding.h"

namespace {

bool IsNt5OrLater()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info))
        return false;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}

HRGN RegionForDc(HDC dc, const RECT& rect)
{
    POINT origin = {};
    GetViewportOrgEx(dc, &origin);
    return CreateRectRgn(rect.left + origin.x, rect.top + origin.y, rect.right + origin.x, rect.bottom + origin.y);
}

} // namespace

CDrawContext::CDrawContext(HDC dc, int left, int top, int right, int bottom, DWORD mode)
    : mode_(mode), dc_(dc), area_{left, top, right, bottom}
{
    if ((mode_ & DrawMode::AlphaLayers) && !IsAlphaBlendAvailable())
        mode_ &= ~DrawMode::AlphaLayers;
    newerSystem_ = IsNt5OrLater();
    if (dc_)
        GetViewportOrgEx(dc_, &viewportOrigin_);
    surface_.reset(new (std::nothrow) CDrawSurface(dc_, mode_, area_));
}

CDrawContext::~CDrawContext()
{
    RestoreInitialObjects(DrawDc());
    if (pen_)
        DeleteObject(pen_);
    if (brush_)
        DeleteObject(brush_);
    surface_.reset();
}

void CDrawContext::RestoreInitialObjects(HDC dc)
{
    if (!dc)
        return;
    if (initialPen_)
        SelectObject(dc, initialPen_);
    if (initialBrush_)
        SelectObject(dc, initialBrush_);
    if (initialFont_)
        SelectObject(dc, initialFont_);
}

bool CDrawContext::Flush()
{
    if (!surface_)
        return false;
    HDC before = surface_->DrawDc();
    surface_->EndLayer();
    if (surface_->DrawDc() != before)
        ForgetDrawingContext(before);
    if (!surface_->IsOffScreen())
        return true;
    return BitBlt(dc_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
                  surface_->MainDc(), area_.left, area_.top, SRCCOPY) != FALSE;
}

bool CDrawContext::ClipRectToDrawArea(RECT& rect) const
{
    if (!surface_)
        return false;
    const POINT offset = surface_->Offset();
    OffsetRect(&rect, offset.x, offset.y);
    const bool any = IntersectRect(&rect, &rect, &area_) != FALSE;
    OffsetRect(&rect, -offset.x, -offset.y);
    return any;
}

bool CDrawContext::SetClipRect(const RECT& rect)
{
    if (!surface_)
        return false;
    HDC dcs[2] = {surface_->DrawDc(), surface_->UnderDc()};
    const bool remove = rect.right == rect.left || rect.bottom == rect.top;
    for (HDC dc : dcs) {
        if (!dc)
            continue;
        if (remove) {
            SelectClipRgn(dc, nullptr);
            continue;
        }
        if (HRGN region = RegionForDc(dc, rect)) {
            SelectClipRgn(dc, region);
            DeleteObject(region);
        }
    }
    return true;
}

bool CDrawContext::ExtSelectClip(HRGN region, int mode)
{
    if (!surface_)
        return false;
    HDC dcs[2] = {surface_->DrawDc(), surface_->UnderDc()};
    for (HDC dc : dcs) {
        if (!dc)
            continue;
        if (!region) {
            ExtSelectClipRgn(dc, nullptr, mode);
            continue;
        }
        POINT origin = {};
        GetViewportOrgEx(dc, &origin);
        OffsetRgn(region, origin.x, origin.y);
        ExtSelectClipRgn(dc, region, mode);
        OffsetRgn(region, -origin.x, -origin.y);
    }
    return true;
}

bool CDrawContext::OffsetOrigin(int dx, int dy)
{
    if (!surface_)
        return false;
    surface_->AddOffset(dx, dy);
    // Moving the viewport on one axis only must move it too, or drawing
    // would land where the offset says it is not.
    if (dx == 0 && dy == 0)
        return true;
    HDC dcs[2] = {surface_->DrawDc(), surface_->UnderDc()};
    for (HDC dc : dcs)
        if (dc)
            OffsetViewportOrgEx(dc, dx, dy, nullptr);
    return true;
}

int CDrawContext::GetOffsetX() const
{
    return surface_ ? surface_->Offset().x : 0;
}

int CDrawContext::GetOffsetY() const
{
    return surface_ ? surface_->Offset().y : 0;
}

bool CDrawContext::BeginAlphaLayer(const RECT& rect, int level)
{
    if (!(mode_ & DrawMode::AlphaLayers) || !surface_)
        return false;
    HDC before = surface_->DrawDc();
    const bool began = surface_->BeginLayer(rect, level);
    if (began)
        ForgetDrawingContext(before);
    return began;
}

void CDrawContext::ForgetDrawingContext(HDC previous)
{
    // The new drawing context has none of our objects: they leave the old
    // one (so that they can be deleted) and are selected afresh when used.
    RestoreInitialObjects(previous);
    initialPen_ = nullptr;
    initialBrush_ = nullptr;
    initialFont_ = nullptr;
    font_ = nullptr;
    cacheFlags_ = 0;
}

bool CDrawContext::SelectBrushColor(COLORREF color)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    if (color == NoColor) {
        SelectObject(dc, initialBrush_ ? static_cast<HGDIOBJ>(initialBrush_) : GetStockObject(WHITE_BRUSH));
        if (brush_)
            DeleteObject(brush_);
        brush_ = nullptr;
        brushColor_ = NoColor;
        cacheFlags_ &= ~BrushSelected;
        return true;
    }
    if (color == brushColor_ && brush_) {
        if (!(cacheFlags_ & BrushSelected)) {
            HGDIOBJ previous = SelectObject(dc, brush_);
            if (!initialBrush_)
                initialBrush_ = static_cast<HBRUSH>(previous);
            cacheFlags_ |= BrushSelected;
        }
        return true;
    }
    LOGBRUSH description = {BS_SOLID, color, 0};
    HBRUSH brush = CreateBrushIndirect(&description);
    if (!brush)
        return false;
    HGDIOBJ previous = SelectObject(dc, brush);
    if (!initialBrush_ && previous != brush_)
        initialBrush_ = static_cast<HBRUSH>(previous);
    if (brush_)
        DeleteObject(brush_);
    brush_ = brush;
    brushDescription_ = description;
    brushColor_ = color;
    cacheFlags_ |= BrushSelected;
    return true;
}

bool CDrawContext::SelectPen(COLORREF color, int kind)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    if (color == NoColor && kind == 0) {
        SelectObject(dc, initialPen_ ? static_cast<HGDIOBJ>(initialPen_) : GetStockObject(BLACK_PEN));
        if (pen_)
            DeleteObject(pen_);
        pen_ = nullptr;
        penColor_ = NoColor;
        penKind_ = 0;
        cacheFlags_ &= ~PenSelected;
        return true;
    }
    if (pen_ && color == penColor_ && kind == penKind_ && (cacheFlags_ & PenSelected))
        return true;
    if (!newerSystem_)
        kind = 0;
    LOGBRUSH description = {BS_SOLID, color == NoColor ? RGB(0, 0, 0) : color, 0};
    DWORD style = PS_COSMETIC | PS_ENDCAP_FLAT;
    DWORD dashes[1] = {kind == 3 ? 2u : 1u};
    switch (kind) {
    case 1: style |= PS_ALTERNATE; break;
    case 2: case 3: style |= PS_USERSTYLE; break;
    default: style |= PS_SOLID; break;
    }
    const bool user = kind == 2 || kind == 3;
    HPEN pen = ExtCreatePen(style, 1, &description, user ? 1 : 0, user ? dashes : nullptr);
    if (!pen)
        return false;
    HGDIOBJ previous = SelectObject(dc, pen);
    if (!initialPen_ && previous != pen_)
        initialPen_ = static_cast<HPEN>(previous);
    if (pen_)
        DeleteObject(pen_);
    pen_ = pen;
    penColor_ = color;
    penKind_ = kind;
    cacheFlags_ |= PenSelected;
    return true;
}

bool CDrawContext::SelectFont(IUnknown* font)
{
    HDC dc = DrawDc();
    if (!dc || !font)
        return false;
    IFont* object = nullptr;
    if (FAILED(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&object))) || !object)
        return false;
    HFONT handle = nullptr;
    const bool got = SUCCEEDED(object->get_hFont(&handle)) && handle;
    if (got) {
        HGDIOBJ previous = SelectObject(dc, handle);
        if (!initialFont_ && previous != font_)
            initialFont_ = static_cast<HFONT>(previous);
        font_ = handle;
    }
    object->Release();
    return got;
}

bool CDrawContext::SetTextColor(COLORREF color)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    if (color == textColor_ && (cacheFlags_ & TextColorSet))
        return true;
    ::SetTextColor(dc, color);
    textColor_ = color;
    cacheFlags_ |= TextColorSet;
    return true;
}

bool CDrawContext::SetBkColor(COLORREF color)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    if (color == bkColor_ && (cacheFlags_ & BkColorSet))
        return true;
    ::SetBkColor(dc, color);
    bkColor_ = color;
    cacheFlags_ |= BkColorSet;
    return true;
}

bool CDrawContext::SetBkMode(int mode)
{
    HDC dc = DrawDc();
    return dc && ::SetBkMode(dc, mode) != 0;
}

bool CDrawContext::SetBrushOrigin(int x, int y)
{
    HDC dc = DrawDc();
    return dc && SetBrushOrgEx(dc, x, y, nullptr) != FALSE;
}

bool CDrawContext::FillRect(const RECT& rect)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    if (!(cacheFlags_ & BrushSelected) && brushColor_ != NoColor)
        SelectBrushColor(brushColor_);
    return ::FillRect(dc, &rect, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH))) != 0;
}

bool CDrawContext::FillRectColor(const RECT& rect, COLORREF color)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    if (color == NoColor || color == brushColor_) {
        if (brushColor_ == NoColor)
            return false;
        SelectBrushColor(brushColor_);
        return ::FillRect(dc, &rect, brush_) != 0;
    }
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return false;
    const bool filled = ::FillRect(dc, &rect, brush) != 0;
    DeleteObject(brush);
    return filled;
}

bool CDrawContext::FrameRectColor(const RECT& rect, COLORREF color)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    HBRUSH brush = CreateSolidBrush(color == NoColor ? RGB(0, 0, 0) : color);
    if (!brush)
        return false;
    const bool framed = ::FrameRect(dc, &rect, brush) != 0;
    DeleteObject(brush);
    return framed;
}

bool CDrawContext::DrawEdge(RECT& rect, UINT edge, UINT flags)
{
    HDC dc = DrawDc();
    return dc && ::DrawEdge(dc, &rect, edge, flags) != FALSE;
}

bool CDrawContext::MoveTo(int x, int y)
{
    HDC dc = DrawDc();
    return dc && MoveToEx(dc, x, y, nullptr) != FALSE;
}

bool CDrawContext::LineTo(int x, int y)
{
    HDC dc = DrawDc();
    return dc && ::LineTo(dc, x, y) != FALSE;
}

bool CDrawContext::Polygon(const POINT* points, int count)
{
    HDC dc = DrawDc();
    return dc && ::Polygon(dc, points, count) != FALSE;
}

bool CDrawContext::Polyline(const POINT* points, int count)
{
    HDC dc = DrawDc();
    return dc && ::Polyline(dc, points, count) != FALSE;
}

bool CDrawContext::DrawText(const wchar_t* text, int length, RECT& rect, UINT format)
{
    HDC dc = DrawDc();
    return dc && text && ::DrawTextW(dc, text, length, &rect, format) != 0;
}

bool CDrawContext::DrawFocusRect(const RECT& rect)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
    const bool drawn = ::DrawFocusRect(dc, &rect) != FALSE;
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
    return drawn;
}

bool CDrawContext::DrawIcon(HICON icon, int x, int y, int width, int height)
{
    HDC dc = DrawDc();
    return dc && DrawIconEx(dc, x, y, icon, width, height, 0, nullptr, DI_NORMAL) != FALSE;
}

bool CDrawContext::DrawFrameControl(RECT& rect, UINT type, UINT state)
{
    HDC dc = DrawDc();
    return dc && ::DrawFrameControl(dc, &rect, type, state) != FALSE;
}

bool CDrawContext::ExcludeClipRect(const RECT& rect)
{
    HDC dc = DrawDc();
    return dc && ::ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom) != ERROR;
}

bool CDrawContext::DrawImage(HIMAGELIST images, int index, int x, int y, UINT style)
{
    HDC dc = DrawDc();
    return dc && images && ImageList_Draw(images, index, dc, x, y, style) != FALSE;
}
