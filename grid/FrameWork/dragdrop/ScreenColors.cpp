// The screen colour values and the standard colours.
#include "ScreenColors.h"

namespace {

ScreenColorCaps g_caps;

constexpr COLORREF kStandardColors[StandardColorCount] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
    RGB(192, 192, 192), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};

} // namespace

ScreenColorCaps& ReadScreenColorCaps()
{
    if (g_caps.read)
        return g_caps;
    if (HDC screen = GetDC(nullptr)) {
        g_caps.planes = GetDeviceCaps(screen, PLANES);
        g_caps.paletteSize = GetDeviceCaps(screen, SIZEPALETTE);
        g_caps.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
    }
    g_caps.paletteDevice = g_caps.paletteSize != 0;
    g_caps.defaultPalette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    g_caps.read = true;
    return g_caps;
}

const COLORREF* StandardColors()
{
    return kStandardColors;
}
