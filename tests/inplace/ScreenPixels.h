// ScreenPixels: a copy of what a window shows on the screen (its client
// area, child windows included), read back pixel by pixel.
#pragma once

#include <windows.h>

#include <vector>

class ScreenPixels {
public:
    explicit ScreenPixels(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(window);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* words = static_cast<const DWORD*>(bits);
        pixels_.assign(words, words + static_cast<size_t>(width_) * height_);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, screen);
    }

    // The colour at x, y of the client area; CLR_INVALID outside it.
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return CLR_INVALID;
        const DWORD word = pixels_[static_cast<size_t>(y) * width_ + x];
        return RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;
};
