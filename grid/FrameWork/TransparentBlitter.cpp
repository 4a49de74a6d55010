// The masked blit: W xor S, then and M, then xor S leaves W where the mask
// is 1 and S where it is 0, so no mask-aware blit of the system is needed.
#include "TransparentBlitter.h"

#include "GdiScope.h"

TransparentBlitter::~TransparentBlitter()
{
    DeleteMask();
}

void TransparentBlitter::DeleteMask() noexcept
{
    if (mask_) {
        DeleteObject(mask_);
        mask_ = nullptr;
    }
}

bool TransparentBlitter::CreateMask(HDC dc, int width, int height, int sourceX, int sourceY,
                                    int sourceWidth, int sourceHeight, COLORREF transparent)
{
    DeleteMask();
    mask_ = CreateBitmap(width, height, 1, 1, nullptr);
    if (!mask_)
        return false;
    MemoryDC sourceDC(dc);
    MemoryDC colourDC(dc);
    MemoryDC maskDC(dc);
    GdiObject<HBITMAP> colour(CreateCompatibleBitmap(dc, width, height));
    if (!sourceDC || !colourDC || !maskDC || !colour) {
        DeleteMask();
        return false;
    }
    PaletteScope sourcePalette(sourceDC.Get(), palette_);
    PaletteScope colourPalette(colourDC.Get(), palette_);
    SelectScope sourceBitmap(sourceDC.Get(), source_);
    SelectScope colourBitmap(colourDC.Get(), colour.Get());
    SelectScope maskBitmap(maskDC.Get(), mask_);
    SetStretchBltMode(colourDC.Get(), COLORONCOLOR);
    StretchBlt(colourDC.Get(), 0, 0, width, height, sourceDC.Get(), sourceX, sourceY, sourceWidth,
               sourceHeight, SRCCOPY);
    // Colour to monochrome: pixels of the source's background colour become 1.
    SetBkColor(colourDC.Get(), transparent);
    SetTextColor(colourDC.Get(), RGB(0, 0, 0));
    BitBlt(maskDC.Get(), 0, 0, width, height, colourDC.Get(), 0, 0, SRCCOPY);
    return true;
}

bool TransparentBlitter::Compose(HDC work, int x, int y, int width, int height, int sourceX,
                                 int sourceY, int sourceWidth, int sourceHeight)
{
    MemoryDC sourceDC(work);
    MemoryDC maskDC(work);
    if (!sourceDC || !maskDC)
        return false;
    PaletteScope sourcePalette(sourceDC.Get(), palette_);
    SelectScope sourceBitmap(sourceDC.Get(), source_);
    SelectScope maskBitmap(maskDC.Get(), mask_);
    // Monochrome to colour maps 1 to the background colour and 0 to the text colour.
    COLORREF oldBack = SetBkColor(work, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(work, RGB(0, 0, 0));
    int oldMode = SetStretchBltMode(work, COLORONCOLOR);
    StretchBlt(work, x, y, width, height, sourceDC.Get(), sourceX, sourceY, sourceWidth, sourceHeight, SRCINVERT);
    BitBlt(work, x, y, width, height, maskDC.Get(), 0, 0, SRCAND);
    StretchBlt(work, x, y, width, height, sourceDC.Get(), sourceX, sourceY, sourceWidth, sourceHeight, SRCINVERT);
    SetStretchBltMode(work, oldMode);
    SetTextColor(work, oldText);
    SetBkColor(work, oldBack);
    return true;
}

bool TransparentBlitter::Draw(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY,
                              int sourceWidth, int sourceHeight, COLORREF transparent, HBRUSH brush,
                              HDC background)
{
    if (!dc || !source_ || width <= 0 || height <= 0)
        return false;
    if (!mask_ && !CreateMask(dc, width, height, sourceX, sourceY, sourceWidth, sourceHeight, transparent))
        return false;
    if (GetObjectType(dc) == OBJ_MEMDC)
        return Compose(dc, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight);

    MemoryDC workDC(dc);
    GdiObject<HBITMAP> work(CreateCompatibleBitmap(dc, width, height));
    if (!workDC || !work)
        return false;
    SelectScope workBitmap(workDC.Get(), work.Get());
    PaletteScope workPalette(workDC.Get(), palette_);
    if (background) {
        BitBlt(workDC.Get(), 0, 0, width, height, background, x, y, SRCCOPY);
    } else if (brush) {
        RECT area = {0, 0, width, height};
        FillRect(workDC.Get(), &area, brush);
    } else {
        BitBlt(workDC.Get(), 0, 0, width, height, dc, x, y, SRCCOPY);
    }
    if (!Compose(workDC.Get(), 0, 0, width, height, sourceX, sourceY, sourceWidth, sourceHeight))
        return false;
    return BitBlt(dc, x, y, width, height, workDC.Get(), 0, 0, SRCCOPY) != FALSE;
}
