// TransparentBlitter: draws a bitmap with one colour transparent, using only
// the plain raster operations (xor, and, xor) and a monochrome mask made at
// the destination size. One blitter serves one draw.
#pragma once

#include <windows.h>

class TransparentBlitter {
public:
    // Neither handle is owned; the palette may be null.
    TransparentBlitter(HBITMAP source, HPALETTE palette) noexcept : source_(source), palette_(palette) {}
    ~TransparentBlitter();
    TransparentBlitter(const TransparentBlitter&) = delete;
    TransparentBlitter& operator=(const TransparentBlitter&) = delete;

    // Builds the mask (width x height) from the source area: 1 where the
    // stretched source has the transparent colour, 0 elsewhere.
    bool CreateMask(HDC dc, int width, int height, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, COLORREF transparent);
    // Draws the source area stretched to (x, y, width, height), leaving the
    // background where the source has the transparent colour. Outside a
    // memory context the work is done in a bitmap first filled from
    // background (a context), else brush, else the target itself.
    bool Draw(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
              int sourceHeight, COLORREF transparent, HBRUSH brush = nullptr, HDC background = nullptr);

    HBITMAP Mask() const noexcept { return mask_; }

private:
    void DeleteMask() noexcept;
    bool Compose(HDC work, int x, int y, int width, int height, int sourceX, int sourceY,
                 int sourceWidth, int sourceHeight);

    HBITMAP mask_ = nullptr;   // owned
    HBITMAP source_;           // not owned
    HPALETTE palette_;         // not owned
};
