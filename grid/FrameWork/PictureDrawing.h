// Drawing of OLE picture objects (bitmaps, icons, metafiles): at their own
// size, masked or not, clipped, or tiled over a rectangle. The display draws
// every picture of an appearance through these.
#pragma once

#include "InterfacePtr.h"

#include <windows.h>
#include <olectl.h>

// Draws the picture with its top-left corner at destination's and at its own
// size in pixels. With clip set, drawing is limited to the clip rectangle
// (logical coordinates) inside the context's existing clip region. masked
// applies to bitmaps only: pixels of maskColor leave the target as it was.
// False when nothing is held, the picture is empty or its handle unreadable.
bool DrawPictureInRect(HDC dc, const InterfacePtr& picture, const RECT& destination, const RECT& clipRect,
                       bool clip, bool masked, OLE_COLOR maskColor);

// Fills destination with copies of the picture, limited to clipRect.
// Metafiles are drawn once at their own size at the top-left corner.
void DrawPictureTiled(HDC dc, const InterfacePtr& picture, const RECT& destination, const RECT& clipRect);

// The picture's size in pixels from its HIMETRIC extent (an unreadable
// extent counts as 1).
void GetPictureSizePixels(const InterfacePtr& picture, SIZE& size);

// The colour of a bitmap's bottom-left pixel; 0 when the handle is no bitmap.
COLORREF GetBitmapMaskColor(HBITMAP bitmap);
