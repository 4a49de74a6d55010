// Picture drawing for the display: one routine per picture type, all
// restoring what they select into the context.
#include "PictureDrawing.h"

#include "GdiScope.h"
#include "OleColor.h"
#include "TransparentBlitter.h"
#include "Units.h"

#include <optional>

namespace {

bool DrawBitmap(HDC dc, IPicture* picture, int x, int y, bool masked, OLE_COLOR maskColor)
{
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle)
        return false;
    OLE_HANDLE paletteHandle = 0;
    if (FAILED(picture->get_hPal(&paletteHandle)))
        paletteHandle = 0;
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    HPALETTE palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(paletteHandle));
    BITMAP info = {};
    if (!GetObjectW(bitmap, sizeof(info), &info))
        return false;
    PaletteScope paletteScope(dc, palette);
    if (masked) {
        TransparentBlitter blitter(bitmap, palette);
        return blitter.Draw(dc, x, y, info.bmWidth, info.bmHeight, 0, 0, info.bmWidth, info.bmHeight,
                            TranslateOleColor(maskColor));
    }
    MemoryDC source(dc);
    if (!source)
        return false;
    SelectScope selected(source.Get(), bitmap);
    return StretchBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Get(), 0, 0, info.bmWidth, info.bmHeight,
                      SRCCOPY) != FALSE;
}

bool DrawIcon(HDC dc, IPicture* picture, const InterfacePtr& holder, int x, int y)
{
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle)
        return false;
    SIZE size;
    GetPictureSizePixels(holder, size);
    return DrawIconEx(dc, x, y, reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), size.cx, size.cy, 0,
                      nullptr, DI_NORMAL) != FALSE;
}

bool DrawMetafile(HDC dc, IPicture* picture, const InterfacePtr& holder, int x, int y)
{
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle)
        return false;
    SIZE size;
    GetPictureSizePixels(holder, size);
    int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, size.cx, size.cy, nullptr);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    BOOL played = PlayMetaFile(dc, reinterpret_cast<HMETAFILE>(static_cast<UINT_PTR>(handle)));
    RestoreDC(dc, saved);
    return played != FALSE;
}

bool DrawEnhancedMetafile(HDC dc, IPicture* picture, const InterfacePtr& holder, int x, int y)
{
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle)
        return false;
    SIZE size;
    GetPictureSizePixels(holder, size);
    RECT bounds = {x, y, x + size.cx, y + size.cy};
    return PlayEnhMetaFile(dc, reinterpret_cast<HENHMETAFILE>(static_cast<UINT_PTR>(handle)), &bounds) != FALSE;
}

bool Intersect(RECT& out, const RECT& a, const RECT& b)
{
    return IntersectRect(&out, &a, &b) != FALSE;
}

} // namespace

bool DrawPictureInRect(HDC dc, const InterfacePtr& holder, const RECT& destination, const RECT& clipRect,
                       bool clip, bool masked, OLE_COLOR maskColor)
{
    IPicture* picture = holder.Get();
    if (!dc || !picture)
        return false;
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)))
        return false;
    if (type != PICTYPE_BITMAP && type != PICTYPE_ICON && type != PICTYPE_METAFILE && type != PICTYPE_ENHMETAFILE)
        return false;
    std::optional<ClipScope> clipScope;
    if (clip)
        clipScope.emplace(dc, clipRect);
    const int x = destination.left;
    const int y = destination.top;
    switch (type) {
    case PICTYPE_BITMAP:
        return DrawBitmap(dc, picture, x, y, masked, maskColor);
    case PICTYPE_ICON:
        return DrawIcon(dc, picture, holder, x, y);
    case PICTYPE_METAFILE:
        return DrawMetafile(dc, picture, holder, x, y);
    default:
        return DrawEnhancedMetafile(dc, picture, holder, x, y);
    }
}

void GetPictureSizePixels(const InterfacePtr& holder, SIZE& size)
{
    OLE_XSIZE_HIMETRIC width = 1;
    OLE_YSIZE_HIMETRIC height = 1;
    if (IPicture* picture = holder.Get()) {
        if (FAILED(picture->get_Width(&width)))
            width = 1;
        if (FAILED(picture->get_Height(&height)))
            height = 1;
    }
    size.cx = HimetricToPixelsX(width);
    size.cy = HimetricToPixelsY(height);
}

COLORREF GetBitmapMaskColor(HBITMAP bitmap)
{
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP)
        return 0;
    BITMAP info = {};
    if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmHeight <= 0)
        return 0;
    MemoryDC dc(nullptr);
    if (!dc)
        return 0;
    SelectScope selected(dc.Get(), bitmap);
    COLORREF colour = GetPixel(dc.Get(), 0, info.bmHeight - 1);
    return colour == CLR_INVALID ? 0 : colour;
}

void DrawPictureTiled(HDC dc, const InterfacePtr& holder, const RECT& destination, const RECT& clipRect)
{
    RECT visible;
    if (!dc || !holder || !Intersect(visible, destination, clipRect))
        return;
    SIZE tile = {destination.right - destination.left, destination.bottom - destination.top};
    switch (holder.GetPictureType()) {
    case PICTYPE_BITMAP:
        GetPictureSizePixels(holder, tile);
        break;
    case PICTYPE_ICON:
        tile.cx = GetSystemMetrics(SM_CXICON);
        tile.cy = GetSystemMetrics(SM_CYICON);
        break;
    case PICTYPE_METAFILE:
    case PICTYPE_ENHMETAFILE:
        break;   // drawn once, at its own size
    default:
        return;
    }
    if (tile.cx <= 0 || tile.cy <= 0)
        return;
    const SHORT columns = static_cast<SHORT>((destination.right - destination.left + tile.cx - 1) / tile.cx);
    const SHORT rows = static_cast<SHORT>((destination.bottom - destination.top + tile.cy - 1) / tile.cy);
    for (SHORT row = 0; row < rows; ++row) {
        const int top = destination.top + row * tile.cy;
        RECT upTo = {destination.left, destination.top, destination.right, top + tile.cy};
        RECT unused;
        if (!Intersect(unused, upTo, clipRect))
            continue;
        for (SHORT column = 0; column < columns; ++column) {
            const int left = destination.left + column * tile.cx;
            RECT tileRect = {left, top, left + tile.cx, top + tile.cy};
            RECT part;
            if (Intersect(part, tileRect, clipRect) && Intersect(part, part, destination))
                DrawPictureInRect(dc, holder, tileRect, part, true, false, 0);
        }
    }
}
