// AutoFit: the stand-in's sizing rule, without font metrics. A row is
// 12.75 points per line at font size 10 (in proportion to the size); a
// cell's lines come from its line feeds and, when it wraps, from wrapping
// at its column's width in characters (a character is one unit of width at
// size 10). A column is as wide as its longest line plus one character.
#pragma once

#include "CellValue.h"
#include "CellStyle.h"

namespace hv::sheet {

// The height in points that the cell needs in a column `width` wide.
double CellHeightNeeded(const CellValue& value, const CellStyle& style, double width);
// The width in characters that the cell needs.
double CellWidthNeeded(const CellValue& value, const CellStyle& style);

} // namespace hv::sheet
