// The bitmap-and-palette cache of a data source.
#include "BitmapPalettePair.h"

#include "DibConversions.h"
#include "DragDropErrors.h"

#include <utility>

void BitmapPalettePair::Clear()
{
    if (bitmap_)
        DeleteObject(bitmap_);
    if (palette_)
        DeleteObject(palette_);
    bitmap_ = nullptr;
    palette_ = nullptr;
}

HRESULT BitmapPalettePair::SetCopies(HBITMAP bitmap, HPALETTE palette)
{
    Clear();
    HBITMAP bitmapCopy = bitmap;
    HPALETTE paletteCopy = palette;
    const long error = CopyBitmapAndPalette(bitmapCopy, paletteCopy);
    if (error != 0) {
        if (bitmapCopy && bitmapCopy != bitmap)
            DeleteObject(bitmapCopy);
        if (paletteCopy && paletteCopy != palette)
            DeleteObject(paletteCopy);
        return ErrorNumberToResult(DragDropError::OutOfMemory);
    }
    bitmap_ = bitmapCopy;
    palette_ = paletteCopy;
    return S_OK;
}

HBITMAP BitmapPalettePair::TakeBitmap()
{
    return std::exchange(bitmap_, nullptr);
}

HPALETTE BitmapPalettePair::TakePalette()
{
    return std::exchange(palette_, nullptr);
}
