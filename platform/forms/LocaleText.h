// Number and date texts in the user's locale, through OLE Automation.
#pragma once

#include <optional>
#include <string>

#include <windows.h>
#include <oleauto.h>

namespace hv::forms {

// The user's decimal separator.
wchar_t UserDecimalSeparator();
// A value formatted by a format expression ("####0.00", "dd/mm/yyyy") in the
// user's locale; empty for null or on failure.
std::wstring FormatVariant(const VARIANT& value, const std::wstring& format);
// A number read from text in the user's locale.
std::optional<double> ParseNumber(const std::wstring& text);

} // namespace hv::forms
