// The text a field prints: its value through the field's output format in the
// user's locale (the platform's format expressions, as "0.00" or "#0.0");
// without a format, numbers in the locale's general form and texts as they
// are; null prints nothing.
#pragma once

#include <string>

#include "CellValue.h"
#include "Field.h"

namespace hv::report {

std::wstring ValueText(const recordset::CellValue& value, recordset::FieldType type, const std::wstring& format);

} // namespace hv::report
