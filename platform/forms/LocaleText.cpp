// Locale texts: VarFormat and VarR8FromStr of the platform do the work.
#include "LocaleText.h"

#include <windows.h>

namespace hv::forms {

wchar_t UserDecimalSeparator()
{
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 0 && buffer[0])
        return buffer[0];
    return L'.';
}

std::wstring FormatVariant(const VARIANT& value, const std::wstring& format)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return {};
    BSTR text = nullptr;
    VARIANT copy = value;  // VarFormat takes a non-const pointer but does not change it
    if (FAILED(VarFormat(&copy, const_cast<wchar_t*>(format.c_str()), 0, 0, 0, &text)) || !text)
        return {};
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

std::optional<double> ParseNumber(const std::wstring& text)
{
    double value = 0;
    if (FAILED(VarR8FromStr(const_cast<wchar_t*>(text.c_str()), LOCALE_USER_DEFAULT, 0, &value)))
        return std::nullopt;
    return value;
}

} // namespace hv::forms
