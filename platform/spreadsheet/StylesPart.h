// StylesPart: the package's styles part from the workbook's style table:
// number formats, fonts and fills each written once, one cell format per
// style record (so a cell's style index is its format's index), and the
// two named styles "Normal" and "Comma".
#pragma once

#include "StyleTable.h"

#include <string>

namespace hv::sheet {

std::string StylesPartXml(const StyleTable& styles);

} // namespace hv::sheet
