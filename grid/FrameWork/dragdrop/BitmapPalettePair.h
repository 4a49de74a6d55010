// BitmapPalettePair: a bitmap and its palette copied together, kept by a
// data source so that a drop target asking for CF_BITMAP and then
// CF_PALETTE (or the other way round) gets two handles that belong together.
#pragma once

#include <windows.h>

class BitmapPalettePair {
public:
    BitmapPalettePair() = default;
    ~BitmapPalettePair() { Clear(); }
    BitmapPalettePair(const BitmapPalettePair&) = delete;
    BitmapPalettePair& operator=(const BitmapPalettePair&) = delete;

    // Deletes what the pair still holds.
    void Clear();
    // Clears, then holds copies of bitmap and palette made together. The
    // given handles are never kept or deleted. E_OUTOFMEMORY when a copy
    // cannot be made (the pair then holds nothing).
    HRESULT SetCopies(HBITMAP bitmap, HPALETTE palette);

    HBITMAP Bitmap() const { return bitmap_; }
    HPALETTE Palette() const { return palette_; }
    // Hand a handle over: it leaves the pair, and the receiver owns it.
    HBITMAP TakeBitmap();
    HPALETTE TakePalette();

private:
    HBITMAP bitmap_ = nullptr;
    HPALETTE palette_ = nullptr;
};
