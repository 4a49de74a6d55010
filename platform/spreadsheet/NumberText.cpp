// Shortest round-trip texts of doubles.
#include "NumberText.h"

#include <charconv>

namespace hv::sheet {

std::string ShortestTextUtf8(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::wstring ShortestText(double value)
{
    const std::string text = ShortestTextUtf8(value);
    return std::wstring(text.begin(), text.end());
}

} // namespace hv::sheet
