// ColorValues: the application's colour arguments: an RGB colour as a
// 32-bit BGR number (65535 is yellow), theme colours numbered from 1 (the
// file's theme index plus one), tints from -1 to 1.
#pragma once

#include "../CellStyle.h"

#include <oaidl.h>

namespace hv::sheet::server {

StyleColor RgbColorFrom(const VARIANT& bgr);
// Sets the theme entry of `color`, keeping its tint.
void SetThemeColor(StyleColor& color, const VARIANT& number);
double TintFrom(const VARIANT& tint);
// The colour as the application reports it (BGR); `none` when automatic.
long BgrOf(const StyleColor& color, long none);
long ThemeNumberOf(const StyleColor& color);

} // namespace hv::sheet::server
