// Hashing of cell styles for the style table.
#include "CellStyle.h"

#include <functional>

namespace hv::sheet {

namespace {

void Mix(std::size_t& seed, std::size_t value)
{
    seed ^= value + 0x9e3779b9 + (seed << 6) + (seed >> 2);
}

void MixColor(std::size_t& seed, const StyleColor& c)
{
    Mix(seed, static_cast<std::size_t>(c.kind));
    Mix(seed, c.rgb);
    Mix(seed, static_cast<std::size_t>(c.theme));
    Mix(seed, std::hash<double>()(c.tint));
}

} // namespace

std::size_t HashOf(const CellStyle& s)
{
    std::size_t seed = std::hash<std::wstring>()(s.numberFormat);
    Mix(seed, static_cast<std::size_t>(s.named));
    const FontStyle& f = s.font;
    Mix(seed, std::hash<std::wstring>()(f.name));
    Mix(seed, std::hash<double>()(f.size));
    Mix(seed, (f.bold << 0) | (f.italic << 1) | (f.strikethrough << 2) | (f.superscript << 3) |
                  (f.subscript << 4) | (f.outline << 5) | (f.shadow << 6));
    Mix(seed, static_cast<std::size_t>(f.underline));
    Mix(seed, static_cast<std::size_t>(f.themeFont));
    MixColor(seed, f.color);
    Mix(seed, static_cast<std::size_t>(s.fill.pattern));
    MixColor(seed, s.fill.color);
    MixColor(seed, s.fill.patternColor);
    const AlignmentStyle& a = s.alignment;
    Mix(seed, static_cast<std::size_t>(a.horizontal));
    Mix(seed, static_cast<std::size_t>(a.vertical));
    Mix(seed, static_cast<std::size_t>(a.orientation));
    Mix(seed, static_cast<std::size_t>(a.indent));
    Mix(seed, static_cast<std::size_t>(a.readingOrder));
    Mix(seed, (a.wrap << 0) | (a.addIndent << 1) | (a.shrink << 2));
    return seed;
}

} // namespace hv::sheet
