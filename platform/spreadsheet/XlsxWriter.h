// XlsxWriter: a workbook as an Office Open XML package (.xlsx): content
// types, relationships, the workbook part, one part per sheet, the shared
// strings, the styles and the theme, zipped.
#pragma once

#include "Workbook.h"

#include <string>

namespace hv::sheet {

// The package's bytes.
std::string BuildPackage(const Workbook& book);
// Writes the package to a new file at `path` (an existing file is an
// error unless `replace`); SheetError when it cannot be written.
void WritePackage(const Workbook& book, const std::wstring& path, bool replace);

} // namespace hv::sheet
