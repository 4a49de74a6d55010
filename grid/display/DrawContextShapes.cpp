// CDrawContext: borders in the grid's styles, pictures placed in an origin
// rectangle, and the expansion indicator box.
#include "DrawContext.h"

#include "AppearanceData.h"
#include "BorderStyleWidth.h"
#include "GdiScope.h"
#include "InterfacePtr.h"
#include "OleColor.h"
#include "PictureDrawing.h"

namespace {

// DrawEdge edges of the 3-D styles 6 to 9.
UINT EdgeOfStyle(long style)
{
    switch (style) {
    case 6: return EDGE_SUNKEN;
    case 7: return EDGE_RAISED;
    case 8: return BDR_SUNKENINNER;
    case 9: return BDR_RAISEDINNER;
    default: return 0;
    }
}

int PenKindOfStyle(long style)
{
    switch (style) {
    case 2: return 1;
    case 3: return 2;
    case 4: return 3;
    default: return 0;
    }
}

void RenderStretched(HDC dc, IPicture* picture, const RECT& destination, const RECT& clip)
{
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    ClipScope scope(dc, clip);
    picture->Render(dc, destination.left, destination.top, destination.right - destination.left,
                    destination.bottom - destination.top, 0, height, width, -height, nullptr);
}

} // namespace

bool CDrawContext::DrawBorder(RECT& rect, long style, COLORREF color, UINT sides)
{
    if (!DrawDc())
        return false;
    if (style == 1)
        return true;
    if (const UINT edge = EdgeOfStyle(style)) {
        // The 3-D edges keep the rectangle whatever the caller asks.
        RECT edgeRect = rect;
        return DrawEdge(edgeRect, edge, sides & (BorderSide::All | BorderSide::Diagonal));
    }
    if (sides & BorderSide::Diagonal) {
        SelectPen(color, PenKindOfStyle(style));
        MoveTo(rect.left, rect.bottom - 1);
        LineTo(rect.right, rect.top - 1);
        SelectPen(NoColor, 0);
        return true;
    }
    const bool solid = PenKindOfStyle(style) == 0;
    if (solid && (sides & BorderSide::All) == BorderSide::All) {
        FrameRectColor(rect, color);
    } else {
        SelectPen(color, PenKindOfStyle(style));
        if (sides & BorderSide::Top) {
            MoveTo(rect.left, rect.top);
            LineTo(rect.right, rect.top);
        }
        if (sides & BorderSide::Right) {
            MoveTo(rect.right - 1, rect.top);
            LineTo(rect.right - 1, rect.bottom);
        }
        if (sides & BorderSide::Bottom) {
            MoveTo(rect.left, rect.bottom - 1);
            LineTo(rect.right, rect.bottom - 1);
        }
        if (sides & BorderSide::Left) {
            MoveTo(rect.left, rect.top);
            LineTo(rect.left, rect.bottom);
        }
        SelectPen(NoColor, 0);
    }
    if (sides & BorderSide::Shrink) {
        const int width = BorderStyleWidth(style);
        InflateRect(&rect, -width, -width);
    }
    return true;
}

bool CDrawContext::DrawPicture(IUnknown* picture, const RECT& origin, const RECT& area, int style)
{
    HDC dc = DrawDc();
    if (!dc)
        return false;
    InterfacePtr holder;
    holder.AssignPicture(picture);
    const SHORT type = holder.GetPictureType();
    if (!holder || type <= PICTYPE_NONE)
        return false;
    const bool metafile = type == PICTYPE_METAFILE || type == PICTYPE_ENHMETAFILE;
    switch (style) {
    case 1: {
        if (metafile) {
            RenderStretched(dc, holder.Get(), origin, area);
            return true;
        }
        SIZE size = {};
        GetPictureSizePixels(holder, size);
        const int left = origin.left + (origin.right - origin.left - size.cx) / 2;
        const int top = origin.top + (origin.bottom - origin.top - size.cy) / 2;
        const RECT destination = {left, top, left + size.cx, top + size.cy};
        return DrawPictureInRect(dc, holder, destination, area, true, false, 0);
    }
    case 2:
        RenderStretched(dc, holder.Get(), origin, area);
        return true;
    case 3: {
        const RECT destination = {origin.left, origin.top, area.right, area.bottom};
        DrawPictureTiled(dc, holder, destination, area);
        return true;
    }
    default:
        return false;
    }
}

bool CDrawContext::DrawExpansionIndicator(RECT& rect, UINT flags, const AppearanceData& appearance)
{
    if (!DrawDc())
        return false;
    const int left = rect.left + (rect.right - rect.left - 9) / 2;
    const int top = rect.top + (rect.bottom - rect.top - 9) / 2;
    const RECT box = {left, top, left + 9, top + 9};
    if (flags & ExpansionFlag::FillRest) {
        // The box is excluded first, so the fill leaves it alone.
        HDC dc = DrawDc();
        const int saved = SaveDC(dc);
        ::ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
        FillRectColor(rect, NoColor);
        RestoreDC(dc, saved);
    }
    const COLORREF back = TranslateOleColor(appearance.BackColor());
    const COLORREF fore = TranslateOleColor(appearance.ForeColor());
    const COLORREF frame = TranslateOleColor(appearance.BorderColor());
    RECT inside = box;
    InflateRect(&inside, -1, -1);
    FillRectColor(inside, back);
    FrameRectColor(box, frame);
    RECT stroke = {box.left + 2, box.top + 4, box.left + 7, box.top + 5};
    FillRectColor(stroke, fore);
    if (flags & ExpansionFlag::Plus) {
        stroke = {box.left + 4, box.top + 2, box.left + 5, box.top + 7};
        FillRectColor(stroke, fore);
    }
    ExcludeClipRect(box);
    if (flags & ExpansionFlag::ExcludeRect)
        ExcludeClipRect(rect);
    if (flags & ExpansionFlag::ReturnBox)
        rect = box;
    return true;
}
