// Conversion between twips (1440 to the inch) and pixels of the display.
#pragma once

namespace hv::forms {

constexpr int kTwipsPerInch = 1440;

// Pixels per inch of the display, horizontally and vertically.
int ScreenDpiX();
int ScreenDpiY();

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

// A placement in twips, relative to the client area of the container.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

} // namespace hv::forms
