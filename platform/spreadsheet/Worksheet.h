// Worksheet: one sheet's cells as sparse rows of (value, style index), row
// heights and formats, column widths and formats, merged areas and the
// sheet's selection. Ranges are views on it: every operation takes the
// rectangle it acts on. Operations that would touch more than
// kMaxTouchedCells cells refuse with SheetError and change nothing.
#pragma once

#include "CellAddress.h"
#include "CellValue.h"
#include "StyleTable.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace hv::sheet {

inline constexpr long long kMaxTouchedCells = 1048576;
inline constexpr double kDefaultRowHeight = 12.75;  // points, one line at size 10
inline constexpr double kDefaultColumnWidth = 8.43;  // characters
inline constexpr double kMaxRowHeight = 409;
inline constexpr double kMaxColumnWidth = 255;

// What a workbook's sheets share: the style table and the change counter.
struct BookCore {
    StyleTable styles;
    std::uint64_t revision = 0;
    void Touch() { ++revision; }
};

struct RowData {
    std::map<int, Cell> cells;
    double height = -1;         // points; -1: the default
    bool customHeight = false;  // set by the user, not by AutoFit
    bool customFormat = false;  // the row has a format of its own
    unsigned style = 0;
};

struct ColumnData {
    double width = -1;  // characters; -1: the default
    unsigned style = 0;
    bool operator==(const ColumnData&) const = default;
};

class Worksheet {
public:
    Worksheet(std::shared_ptr<BookCore> core, std::wstring name);
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const std::wstring& Name() const { return name_; }
    void SetName(std::wstring name);  // checked by the workbook
    StyleTable& Styles() { return core_->styles; }
    const StyleTable& Styles() const { return core_->styles; }

    // Values. A date is a number that also gets a date format when the
    // cell's format is "General".
    void SetValue(const CellRect& rect, const CellValue& value, bool isDate = false);
    CellValue ValueAt(int row, int column) const;
    const Cell* CellAt(int row, int column) const;
    // The style a cell shows: its own, else its row's, else its column's.
    unsigned StyleAt(int row, int column) const;

    void Format(const CellRect& rect, const StyleTable::Change& change);

    double ColumnWidth(int column) const;
    void SetColumnWidth(int first, int last, double width);
    double RowHeight(int row) const;
    void SetRowHeight(int first, int last, double height);
    double DefaultRowHeight() const { return defaultRowHeight_; }
    void AutoFitRows(int first, int last);
    void AutoFitColumns(int first, int last);

    void Merge(const CellRect& rect, bool across = false);
    void Unmerge(const CellRect& rect);
    // The merged area holding the cell, or null.
    const CellRect* MergeAt(int row, int column) const;
    const std::vector<CellRect>& Merges() const { return merges_; }

    const CellRect& Selection() const { return selection_; }
    void SetSelection(const CellRect& rect) { selection_ = rect; }

    const std::map<int, RowData>& Rows() const { return rows_; }
    // Column data from 1 to kMaxColumns, empty when no column was ever set.
    const std::vector<ColumnData>& Columns() const { return columns_; }

private:
    using Restyler = std::function<unsigned(unsigned)>;
    Restyler MakeRestyler(const StyleTable::Change& change);
    Cell& Ensure(RowData& row, int rowNumber, int column);
    std::vector<ColumnData>& ColumnsForWrite();
    void FormatWholeSheet(const Restyler& restyle);
    void FormatRows(const CellRect& rect, const Restyler& restyle);
    void FormatColumns(const CellRect& rect, const Restyler& restyle);
    void FormatCells(const CellRect& rect, const Restyler& restyle);
    double FittedHeight(int rowNumber, const RowData& row) const;
    static void CheckSize(long long cells);

    std::shared_ptr<BookCore> core_;
    std::wstring name_;
    std::map<int, RowData> rows_;
    std::vector<ColumnData> columns_;
    std::vector<CellRect> merges_;
    CellRect selection_;
    double defaultRowHeight_ = kDefaultRowHeight;
};

} // namespace hv::sheet
