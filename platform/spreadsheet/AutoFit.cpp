// The stand-in's sizing rule.
#include "AutoFit.h"

#include "NumberText.h"
#include "Worksheet.h"

#include <algorithm>
#include <cmath>

namespace hv::sheet {

namespace {

std::wstring Shown(const CellValue& value)
{
    switch (value.kind) {
    case CellValue::Kind::Text:
        return value.text;
    case CellValue::Kind::Number:
        return ShortestText(value.number);
    case CellValue::Kind::Boolean:
        return value.number != 0 ? L"TRUE" : L"FALSE";
    default:
        return std::wstring();
    }
}

template <class Each>
void ForEachLine(const std::wstring& text, Each each)
{
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(L'\n', start);
        each(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            return;
        start = end + 1;
    }
}

double Scale(const CellStyle& style)
{
    return style.font.size / 10.0;
}

} // namespace

double CellHeightNeeded(const CellValue& value, const CellStyle& style, double width)
{
    const double lineHeight = kDefaultRowHeight * Scale(style);
    if (value.kind == CellValue::Kind::Empty || !style.alignment.wrap)
        return lineHeight;
    const double perLine = std::max(1.0, std::floor(width / Scale(style)));
    double lines = 0;
    ForEachLine(Shown(value), [&](const std::wstring& line) {
        lines += std::max(1.0, std::ceil(static_cast<double>(line.size()) / perLine));
    });
    return std::min(kMaxRowHeight, lines * lineHeight);
}

double CellWidthNeeded(const CellValue& value, const CellStyle& style)
{
    size_t longest = 0;
    const std::wstring text = Shown(value);
    if (style.alignment.wrap)
        ForEachLine(text, [&](const std::wstring& line) { longest = std::max(longest, line.size()); });
    else
        longest = text.size();
    return std::min(kMaxColumnWidth, static_cast<double>(longest) * Scale(style) + 1);
}

} // namespace hv::sheet
