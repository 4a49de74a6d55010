// Copy of a memory bitmap to a target that cannot take a device-dependent
// bitmap (printers, metafiles), through a device-independent bitmap.
#pragma once

#include <windows.h>

// Copies the bitmap selected into source to target at rect's top-left
// corner: stretched to rect when rectIsBounds is set, else at its own size.
bool DrawBitmapAsDIB(HDC target, HDC source, const RECT& rect, bool rectIsBounds);
