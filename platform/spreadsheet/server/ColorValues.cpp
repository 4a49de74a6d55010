// Colour arguments.
#include "ColorValues.h"

#include "Arguments.h"

#include "../ThemePart.h"

namespace hv::sheet::server {

namespace {

std::uint32_t Swap(std::uint32_t v)
{
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

} // namespace

StyleColor RgbColorFrom(const VARIANT& bgr)
{
    const long value = ToLongIn(bgr, 0, 0xFFFFFF, L"A colour");
    StyleColor color;
    color.kind = StyleColor::Kind::Rgb;
    color.rgb = Swap(static_cast<std::uint32_t>(value));
    return color;
}

void SetThemeColor(StyleColor& color, const VARIANT& number)
{
    color.theme = ToLongIn(number, 1, 12, L"A theme colour") - 1;
    color.kind = StyleColor::Kind::Theme;
}

double TintFrom(const VARIANT& tint)
{
    return ToDoubleIn(tint, -1, 1, L"A tint");
}

long BgrOf(const StyleColor& color, long none)
{
    switch (color.kind) {
    case StyleColor::Kind::Rgb:
        return static_cast<long>(Swap(color.rgb));
    case StyleColor::Kind::Theme:
        return static_cast<long>(Swap(ThemeRgb(color.theme)));
    default:
        return none;
    }
}

long ThemeNumberOf(const StyleColor& color)
{
    return color.kind == StyleColor::Kind::Theme ? color.theme + 1 : 0;
}

} // namespace hv::sheet::server
