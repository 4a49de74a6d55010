// Length units of an ActiveX control: display pixels, container twips and OLE
// HIMETRIC extents, with the integer rounding every caller relies on.
#pragma once

#include <windows.h>

// Arithmetic cores, exposed so that the rounding can be checked at any DPI.
// Twips per pixel is truncated first (14 at 100 DPI, not 14.4) and every
// division rounds to the nearest whole, halves away from zero on both sides.
int TwipsPerPixel(int dpi);
int PixelsToTwips(int pixels, int twipsPerPixel);
int TwipsToPixels(int twips, int twipsPerPixel);
int HimetricToPixels(int himetric, int dpi);
int PixelsToHimetric(int pixels, int dpi);

// Twips conversions: the DPI of the "Display" information context, read once
// per process (0 counts as 96).
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

// HIMETRIC conversions: the screen DPI, read once per process.
void CacheScreenDpi();
void HimetricToPixels(const SIZE& in, SIZE& out);
void PixelsToHimetric(const SIZE& in, SIZE& out);
int HimetricToPixelsX(int himetric);
int HimetricToPixelsY(int himetric);
int PixelsToHimetricX(int pixels);
int PixelsToHimetricY(int pixels);

// A LOGFONT height (pixels of the screen, either sign) as a font size in
// points scaled by 10000 (a FONTDESC's cySize), times percent / 100.
long long FontHeightToSize(long height, int percent);
