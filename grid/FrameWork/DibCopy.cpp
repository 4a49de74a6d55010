// The DIB copy: the selected bitmap is found by swapping a 1 x 1 monochrome
// bitmap in and out of the source context.
#include "DibCopy.h"

#include "GdiScope.h"

#include <cstddef>
#include <new>
#include <vector>

bool DrawBitmapAsDIB(HDC target, HDC source, const RECT& rect, bool rectIsBounds)
{
    if (!target || !source)
        return false;
    GdiObject<HBITMAP> probe(CreateBitmap(1, 1, 1, 1, nullptr));
    if (!probe)
        return false;
    HBITMAP bitmap = static_cast<HBITMAP>(SelectObject(source, probe.Get()));
    if (!bitmap)
        return false;
    SelectObject(source, bitmap);
    BITMAP info = {};
    if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    const int bits = info.bmBitsPixel * info.bmPlanes;
    // Formats of 8 bits or fewer come with a colour table after the header.
    const std::size_t tableEntries = bits <= 8 ? (std::size_t{1} << bits) : (bits == 16 || bits == 32 ? 3 : 0);
    const std::size_t stride = ((static_cast<std::size_t>(bits) * info.bmWidth + 31) / 32) * 4;
    try {
        std::vector<std::byte> header(sizeof(BITMAPINFOHEADER) + tableEntries * sizeof(RGBQUAD));
        std::vector<std::byte> pixels(stride * static_cast<std::size_t>(info.bmHeight));
        auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(header.data());
        bitmapInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bitmapInfo->bmiHeader.biWidth = info.bmWidth;
        bitmapInfo->bmiHeader.biHeight = info.bmHeight;
        bitmapInfo->bmiHeader.biPlanes = 1;
        bitmapInfo->bmiHeader.biBitCount = static_cast<WORD>(bits);
        bitmapInfo->bmiHeader.biCompression = BI_RGB;
        if (!GetDIBits(source, bitmap, 0, info.bmHeight, pixels.data(), bitmapInfo, DIB_RGB_COLORS))
            return false;
        const int width = rectIsBounds ? rect.right - rect.left : info.bmWidth;
        const int height = rectIsBounds ? rect.bottom - rect.top : info.bmHeight;
        return StretchDIBits(target, rect.left, rect.top, width, height, 0, 0, info.bmWidth, info.bmHeight,
                             pixels.data(), bitmapInfo, DIB_RGB_COLORS, SRCCOPY) != 0;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
