// Drawing fixtures: a memory context over a 32-bit top-down DIB whose pixels
// the tests read back, and bitmaps and pictures built pixel by pixel.
#pragma once

#include "InterfacePtr.h"

#include <windows.h>

#include <functional>

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const;
    void Fill(COLORREF colour);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Number of pixels of this colour.
    int Count(COLORREF colour) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    DWORD* bits_ = nullptr;
    int width_;
    int height_;
};

// A 32-bit DIB section whose pixel (x, y) is colourAt(x, y). Caller owns it.
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colourAt);
// A bitmap picture owning the bitmap.
bool MakeBitmapPicture(InterfacePtr& holder, int width, int height,
                       const std::function<COLORREF(int, int)>& colourAt);
