// Twips conversion at the display's pixels per inch, rounding to the nearest pixel.
#include "Twips.h"

#include <windows.h>

namespace hv::forms {

namespace {

int ScreenCaps(int index)
{
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, index) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
}

} // namespace

int ScreenDpiX() { return ScreenCaps(LOGPIXELSX); }
int ScreenDpiY() { return ScreenCaps(LOGPIXELSY); }

int TwipsToPixelsX(int twips) { return MulDiv(twips, ScreenDpiX(), kTwipsPerInch); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, ScreenDpiY(), kTwipsPerInch); }
int PixelsToTwipsX(int pixels) { return MulDiv(pixels, kTwipsPerInch, ScreenDpiX()); }
int PixelsToTwipsY(int pixels) { return MulDiv(pixels, kTwipsPerInch, ScreenDpiY()); }

} // namespace hv::forms
