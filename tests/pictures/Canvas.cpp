// Drawing fixtures of the picture tests.
#include "Canvas.h"

namespace {

DWORD ToPixel(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

COLORREF FromPixel(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

HBITMAP MakeSection(int width, int height, DWORD** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* raw = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    *bits = static_cast<DWORD*>(raw);
    return bitmap;
}

} // namespace

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    bitmap_ = MakeSection(width, height, &bits_);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

Canvas::~Canvas()
{
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void Canvas::Fill(COLORREF colour)
{
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = ToPixel(colour);
}

COLORREF Canvas::At(int x, int y) const
{
    GdiFlush();
    return FromPixel(bits_[y * width_ + x] & 0xFFFFFF);
}

int Canvas::Count(COLORREF colour) const
{
    GdiFlush();
    int count = 0;
    for (int i = 0; i < width_ * height_; ++i)
        count += FromPixel(bits_[i] & 0xFFFFFF) == colour ? 1 : 0;
    return count;
}

HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colourAt)
{
    DWORD* bits = nullptr;
    HBITMAP bitmap = MakeSection(width, height, &bits);
    if (!bitmap)
        return nullptr;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bits[y * width + x] = ToPixel(colourAt(x, y));
    return bitmap;
}

bool MakeBitmapPicture(InterfacePtr& holder, int width, int height,
                       const std::function<COLORREF(int, int)>& colourAt)
{
    HBITMAP bitmap = MakeBitmap(width, height, colourAt);
    if (!bitmap)
        return false;
    if (holder.CreatePictureFromBitmap(bitmap, nullptr, true))
        return true;
    DeleteObject(bitmap);
    return false;
}
