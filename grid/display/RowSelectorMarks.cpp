// RowSelectorMarks: the row selector's marks as icons.
#include "RowSelectorMarks.h"

#include "Module.h"

#include <array>
#include <vector>

namespace {

constexpr WORD kIds[] = {RowSelectorMark::Active, RowSelectorMark::Changed, RowSelectorMark::ActiveChanged,
                         RowSelectorMark::AddRow, RowSelectorMark::AddRowActive};
std::array<HICON, 5> g_icons{};

int Slot(WORD id)
{
    for (int i = 0; i < 5; ++i)
        if (kIds[i] == id)
            return i;
    return -1;
}

// The bitmap's pixels as 32-bit BGRX, top row first; empty when missing.
std::vector<DWORD> ReadPixels(WORD id)
{
    std::vector<DWORD> pixels;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = RowSelectorMark::Size;
    info.bmiHeader.biHeight = -RowSelectorMark::Size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    pixels.assign(RowSelectorMark::Size * RowSelectorMark::Size, 0);
    HDC screen = GetDC(nullptr);
    if (!GetDIBits(screen, bitmap, 0, RowSelectorMark::Size, pixels.data(), &info, DIB_RGB_COLORS))
        pixels.clear();
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return pixels;
}

// An icon of the pixels: black is transparent; the rest keeps its colour,
// or takes color when one is given.
HICON MakeIcon(const std::vector<DWORD>& pixels, COLORREF color)
{
    const int size = RowSelectorMark::Size;
    std::vector<DWORD> colours(pixels.size());
    // Monochrome mask rows are WORD aligned: 2 bytes for 12 pixels.
    std::vector<BYTE> mask(static_cast<size_t>(size) * 2, 0);
    const DWORD replacement = RGB(GetBValue(color), GetGValue(color), GetRValue(color));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const DWORD pixel = pixels[static_cast<size_t>(y * size + x)] & 0xFFFFFF;
            if (pixel == 0)
                mask[static_cast<size_t>(y * 2 + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
            else
                colours[static_cast<size_t>(y * size + x)] = color == CLR_INVALID ? pixel : replacement;
        }
    HBITMAP colourBitmap = CreateBitmap(size, size, 1, 32, colours.data());
    HBITMAP maskBitmap = CreateBitmap(size, size, 1, 1, mask.data());
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colourBitmap};
    HICON icon = colourBitmap && maskBitmap ? CreateIconIndirect(&info) : nullptr;
    if (colourBitmap)
        DeleteObject(colourBitmap);
    if (maskBitmap)
        DeleteObject(maskBitmap);
    return icon;
}

} // namespace

bool DrawRowSelectorMark(HDC dc, WORD id, int x, int y, COLORREF color)
{
    const int slot = Slot(id);
    if (slot < 0 || !dc)
        return false;
    if (color != CLR_INVALID) {
        // A coloured copy lives for this one draw.
        const std::vector<DWORD> pixels = ReadPixels(id);
        HICON icon = pixels.empty() ? nullptr : MakeIcon(pixels, color);
        if (!icon)
            return false;
        const BOOL drawn = DrawIconEx(dc, x, y, icon, RowSelectorMark::Size, RowSelectorMark::Size, 0, nullptr,
                                      DI_NORMAL);
        DestroyIcon(icon);
        return drawn != FALSE;
    }
    HICON& icon = g_icons[static_cast<size_t>(slot)];
    if (!icon) {
        const std::vector<DWORD> pixels = ReadPixels(id);
        if (!pixels.empty())
            icon = MakeIcon(pixels, CLR_INVALID);
    }
    return icon &&
           DrawIconEx(dc, x, y, icon, RowSelectorMark::Size, RowSelectorMark::Size, 0, nullptr, DI_NORMAL) != FALSE;
}

void ClearRowSelectorMarks()
{
    for (HICON& icon : g_icons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}
