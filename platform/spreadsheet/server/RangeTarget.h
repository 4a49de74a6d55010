// RangeTarget: what a range object stands for: a rectangle of one sheet,
// and whether it was taken as cells, as rows or as columns (which decides
// what AutoFit sizes and what Count counts). The sheet is not owned: a
// range of a deleted sheet or a closed workbook fails its calls.
#pragma once

#include "../CellAddress.h"
#include "../Worksheet.h"

#include <oaidl.h>

#include <memory>

namespace hv::sheet::server {

enum class RangeKind { Cells, Rows, Columns };

inline constexpr CellRect kWholeSheet{1, 1, kMaxRows, kMaxColumns};

struct RangeTarget {
    std::weak_ptr<Worksheet> sheet;
    CellRect rect;
    RangeKind kind = RangeKind::Cells;

    // The sheet, or Fail when it is gone.
    std::shared_ptr<Worksheet> Sheet() const;
};

// The target of one of our range objects passed as an argument; false for
// anything else.
bool TargetOf(const VARIANT& argument, RangeTarget& target);

// Members that address cells from a base rectangle (the whole sheet for the
// application and sheets): Cells(row, column), Cells(index), Range("A1:B2")
// or Range(cell, cell), Rows(n or "1:3"), Columns(n, "B" or "D:H").
CellRect CellsOf(const CellRect& base, const VARIANT& row, const VARIANT& column);
CellRect RangeOf(const Worksheet& sheet, const CellRect& base, const VARIANT& cell1, const VARIANT& cell2);
CellRect RowsOf(const CellRect& base, const VARIANT& index);
CellRect ColumnsOf(const CellRect& base, const VARIANT& index);

} // namespace hv::sheet::server
