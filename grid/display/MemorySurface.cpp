// CMemorySurface: making, reusing and freeing the off-screen bitmap.
#include "MemorySurface.h"

namespace {

void CopyDrawingState(HDC from, HDC to)
{
    SetBkColor(to, GetBkColor(from));
    SetTextColor(to, GetTextColor(from));
    SetBkMode(to, GetBkMode(from));
    SelectObject(to, GetCurrentObject(from, OBJ_BRUSH));
    SelectObject(to, GetCurrentObject(from, OBJ_PEN));
    SelectObject(to, GetCurrentObject(from, OBJ_FONT));
}

} // namespace

bool CMemorySurface::Prepare(HDC source, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    if (ready_ && width <= allocatedWidth_ && height <= allocatedHeight_) {
        usedWidth_ = width;
        usedHeight_ = height;
        SetViewportOrgEx(dc_, -rect.left, -rect.top, nullptr);
        SelectClipRgn(dc_, nullptr);
        return true;
    }
    Free(false);
    if (!dc_) {
        dc_ = CreateCompatibleDC(source);
        if (!dc_)
            return false;
        initialBrush_ = GetCurrentObject(dc_, OBJ_BRUSH);
        initialPen_ = GetCurrentObject(dc_, OBJ_PEN);
        initialFont_ = GetCurrentObject(dc_, OBJ_FONT);
    }
    bitmap_ = CreateCompatibleBitmap(source, width, height);
    if (!bitmap_)
        return false;
    replaced_ = SelectObject(dc_, bitmap_);
    source_ = source;
    allocatedWidth_ = usedWidth_ = width;
    allocatedHeight_ = usedHeight_ = height;
    SetViewportOrgEx(dc_, -rect.left, -rect.top, nullptr);
    CopyDrawingState(source, dc_);
    SelectClipRgn(dc_, nullptr);
    ready_ = true;
    return true;
}

void CMemorySurface::Free(bool deleteDc)
{
    if (bitmap_) {
        if (replaced_)
            SelectObject(dc_, replaced_);
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
        replaced_ = nullptr;
    }
    ready_ = false;
    allocatedWidth_ = allocatedHeight_ = usedWidth_ = usedHeight_ = 0;
    if (deleteDc && dc_) {
        // The drawing objects belong to whoever made them: only ours go back.
        SelectObject(dc_, initialBrush_);
        SelectObject(dc_, initialPen_);
        SelectObject(dc_, initialFont_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }
}
