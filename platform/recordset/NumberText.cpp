// Invariant number texts: std::from_chars / std::to_chars never consult a locale.
#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace hv::recordset {

bool NumberText::Parse(std::wstring_view text, double& value)
{
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.empty() || text.size() > 64)
        return false;
    char narrow[65];
    size_t n = 0;
    for (wchar_t c : text) {
        if (c > 0x7F)
            return false;
        narrow[n++] = static_cast<char>(c);
    }
    const char* begin = narrow;
    if (*begin == '+')
        ++begin;
    double parsed = 0;
    auto [end, ec] = std::from_chars(begin, narrow + n, parsed, std::chars_format::general);
    if (ec != std::errc() || end != narrow + n || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::wstring NumberText::Format(double value)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return L"";
    return std::wstring(buffer, end);
}

} // namespace hv::recordset
