// CellAddress: the sheet's coordinates: the limits of a sheet, a rectangle
// of cells, and the A1 notation ("A1", "$B$2", "A1:I1", "B:B", "D:H", "1:1").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hv::sheet {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// Rows and columns are numbered from 1; a rectangle holds its corners.
struct CellRect {
    int row1 = 1;
    int column1 = 1;
    int row2 = 1;
    int column2 = 1;

    bool operator==(const CellRect&) const = default;
    bool Contains(int row, int column) const
    {
        return row >= row1 && row <= row2 && column >= column1 && column <= column2;
    }
    bool Overlaps(const CellRect& o) const
    {
        return row1 <= o.row2 && o.row1 <= row2 && column1 <= o.column2 && o.column1 <= column2;
    }
    bool AllRows() const { return row1 == 1 && row2 == kMaxRows; }
    bool AllColumns() const { return column1 == 1 && column2 == kMaxColumns; }
    long long RowCount() const { return static_cast<long long>(row2) - row1 + 1; }
    long long ColumnCount() const { return static_cast<long long>(column2) - column1 + 1; }
    long long CellCount() const { return RowCount() * ColumnCount(); }
};

bool ValidRow(long long row);
bool ValidColumn(long long column);
// The rectangle spanning both (corners in any order).
CellRect Span(const CellRect& a, const CellRect& b);

// "A", "Z", "AA", ... "XFD".
std::wstring ColumnName(int column);
// "A1:I1", or "A1" for one cell.
std::wstring RectName(const CellRect& rect);
// Parses one reference; nothing for a malformed one or one outside the sheet.
std::optional<CellRect> ParseReference(std::wstring_view text);
// A column by its letters ("B"), nothing when malformed.
std::optional<int> ParseColumnName(std::wstring_view text);

} // namespace hv::sheet
