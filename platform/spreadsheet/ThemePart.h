// ThemePart: the package's theme, with the stand-in's own palette. Theme
// colours of cells refer to it by index: 0 light 1 (the background), 1 dark
// 1 (the text), 2 light 2, 3 dark 2, 4 to 9 accents 1 to 6, 10 and 11 the
// hyperlink colours. Readers resolve themed fills only through this part.
#pragma once

#include <cstdint>
#include <string>

namespace hv::sheet {

// The palette as 0xRRGGBB, by theme index.
std::uint32_t ThemeRgb(int index);
std::string ThemePartXml();

} // namespace hv::sheet
