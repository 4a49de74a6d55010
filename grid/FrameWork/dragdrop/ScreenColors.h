// The screen's colour capabilities, read once per process and never
// refreshed: the conversions between bitmaps, DIBs and palettes depend on
// whether the display is a palette device.
#pragma once

#include <windows.h>

struct ScreenColorCaps {
    int planes = 0;
    int paletteSize = 0;
    int bitsPerPixel = 0;
    bool paletteDevice = false;
    HPALETTE defaultPalette = nullptr;
    bool read = false;
};

// The process-wide values, read from the screen on the first call. The
// reference is writable so that a test can stand in for a palette device.
ScreenColorCaps& ReadScreenColorCaps();

// The 16 standard colours (red in the low byte), in their fixed order.
const COLORREF* StandardColors();
constexpr int StandardColorCount = 16;
