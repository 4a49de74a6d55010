// A1 notation of cells, rows and columns.
#include "CellAddress.h"

#include <algorithm>
#include <cwctype>

namespace hv::sheet {

namespace {

// One end of a reference: letters, digits, or both ("$" allowed before each).
struct RefEnd {
    std::optional<int> column;
    std::optional<int> row;
};

bool IsLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

std::optional<RefEnd> ParseEnd(std::wstring_view text)
{
    RefEnd end;
    size_t i = 0;
    if (i < text.size() && text[i] == L'$')
        ++i;
    long long column = 0;
    const size_t letters = i;
    while (i < text.size() && IsLetter(text[i]) && i - letters < 4) {
        column = column * 26 + (std::towupper(text[i]) - L'A' + 1);
        ++i;
    }
    if (i > letters) {
        if (!ValidColumn(column))
            return std::nullopt;
        end.column = static_cast<int>(column);
    } else if (letters > 0) {
        return std::nullopt;  // "$" without letters
    }
    if (i < text.size() && text[i] == L'$')
        ++i;
    long long row = 0;
    const size_t digits = i;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && i - digits < 8) {
        row = row * 10 + (text[i] - L'0');
        ++i;
    }
    if (i > digits) {
        if (!ValidRow(row))
            return std::nullopt;
        end.row = static_cast<int>(row);
    }
    if (i != text.size() || (!end.row && !end.column))
        return std::nullopt;
    return end;
}

} // namespace

bool ValidRow(long long row)
{
    return row >= 1 && row <= kMaxRows;
}

bool ValidColumn(long long column)
{
    return column >= 1 && column <= kMaxColumns;
}

CellRect Span(const CellRect& a, const CellRect& b)
{
    return {std::min(a.row1, b.row1), std::min(a.column1, b.column1), std::max(a.row2, b.row2),
            std::max(a.column2, b.column2)};
}

std::wstring ColumnName(int column)
{
    std::wstring name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<wchar_t>(L'A' + (n - 1) % 26));
    return name;
}

std::wstring RectName(const CellRect& rect)
{
    std::wstring first = ColumnName(rect.column1) + std::to_wstring(rect.row1);
    if (rect.row1 == rect.row2 && rect.column1 == rect.column2)
        return first;
    return first + L":" + ColumnName(rect.column2) + std::to_wstring(rect.row2);
}

std::optional<CellRect> ParseReference(std::wstring_view text)
{
    const size_t colon = text.find(L':');
    const auto first = ParseEnd(text.substr(0, colon));
    if (!first)
        return std::nullopt;
    const auto second = colon == std::wstring_view::npos ? first : ParseEnd(text.substr(colon + 1));
    if (!second)
        return std::nullopt;
    const bool cells = first->row && first->column && second->row && second->column;
    const bool columns = !first->row && !second->row && first->column && second->column;
    const bool rows = !first->column && !second->column && first->row && second->row;
    // A lone column or row ("B", "1") is no reference; "B:B" and "1:1" are.
    if (colon == std::wstring_view::npos && !cells)
        return std::nullopt;
    CellRect a, b;
    if (cells) {
        a = {*first->row, *first->column, *first->row, *first->column};
        b = {*second->row, *second->column, *second->row, *second->column};
    } else if (columns) {
        a = {1, *first->column, kMaxRows, *first->column};
        b = {1, *second->column, kMaxRows, *second->column};
    } else if (rows) {
        a = {*first->row, 1, *first->row, kMaxColumns};
        b = {*second->row, 1, *second->row, kMaxColumns};
    } else {
        return std::nullopt;
    }
    return Span(a, b);
}

std::optional<int> ParseColumnName(std::wstring_view text)
{
    const auto end = ParseEnd(text);
    if (!end || end->row)
        return std::nullopt;
    return end->column;
}

} // namespace hv::sheet
