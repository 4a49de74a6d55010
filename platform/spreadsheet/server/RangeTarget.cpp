// Addressing cells from a range, a sheet or the application.
#include "RangeTarget.h"

#include "Arguments.h"
#include "SheetRange.h"

#include <cmath>

namespace hv::sheet::server {

namespace {

// base's cell (row, column), counted from 1 at its first corner.
CellRect Offset(const CellRect& base, long long row, long long column)
{
    const long long r = base.row1 + row - 1;
    const long long c = base.column1 + column - 1;
    if (!ValidRow(r) || !ValidColumn(c))
        Fail(L"The cell lies outside the sheet (rows 1 to 1048576, columns 1 to 16384).");
    return {static_cast<int>(r), static_cast<int>(c), static_cast<int>(r), static_cast<int>(c)};
}

// A reference read relative to base's first corner.
CellRect Shifted(const CellRect& base, const CellRect& rect)
{
    const CellRect first = Offset(base, rect.row1, rect.column1);
    const CellRect last = Offset(base, rect.row2, rect.column2);
    return Span(first, last);
}

long long WholeIndex(const VARIANT& v)
{
    const double d = ToDouble(v);
    if (d != std::floor(d) || d < 1 || d > static_cast<double>(kMaxRows) * kMaxColumns)
        Fail(L"An index counts from 1 within the sheet.");
    return static_cast<long long>(d);
}

long long ColumnIndex(const VARIANT& v)
{
    const VARIANT& d = Deref(v);
    if (V_VT(&d) == VT_BSTR) {
        const auto column = ParseColumnName(ToText(d));
        if (!column)
            Fail(L"\"" + ToText(d) + L"\" names no column.");
        return *column;
    }
    return WholeIndex(d);
}

CellRect Reference(const VARIANT& v)
{
    const std::wstring text = ToText(v);
    const auto rect = ParseReference(text);
    if (!rect)
        Fail(L"\"" + text + L"\" is no cell reference of this sheet.");
    return *rect;
}

CellRect Corner(const Worksheet& sheet, const CellRect& base, const VARIANT& v)
{
    RangeTarget target;
    if (TargetOf(v, target)) {
        if (target.Sheet().get() != &sheet)
            Fail(L"The cells belong to another sheet.");
        return target.rect;
    }
    return Shifted(base, Reference(v));
}

bool IsText(const VARIANT& v)
{
    return V_VT(&Deref(v)) == VT_BSTR;
}

} // namespace

std::shared_ptr<Worksheet> RangeTarget::Sheet() const
{
    auto locked = sheet.lock();
    if (!locked)
        Fail(L"The sheet of these cells no longer exists.");
    return locked;
}

bool TargetOf(const VARIANT& argument, RangeTarget& target)
{
    const VARIANT& v = Deref(argument);
    if (V_VT(&v) != VT_DISPATCH || !V_DISPATCH(&v))
        return false;
    IHvSheetRange* range = nullptr;
    if (FAILED(V_DISPATCH(&v)->QueryInterface(kRangeObjectIid, reinterpret_cast<void**>(&range))))
        return false;
    target = static_cast<SheetRange*>(range)->Target();
    range->Release();
    return true;
}

CellRect CellsOf(const CellRect& base, const VARIANT& row, const VARIANT& column)
{
    if (IsMissing(row) && IsMissing(column))
        return base;
    if (IsMissing(column)) {
        const long long index = WholeIndex(row) - 1;
        const long long width = base.ColumnCount();
        return Offset(base, index / width + 1, index % width + 1);
    }
    return Offset(base, IsMissing(row) ? 1 : WholeIndex(row), ColumnIndex(column));
}

CellRect RangeOf(const Worksheet& sheet, const CellRect& base, const VARIANT& cell1, const VARIANT& cell2)
{
    const CellRect first = Corner(sheet, base, cell1);
    return IsMissing(cell2) ? first : Span(first, Corner(sheet, base, cell2));
}

CellRect RowsOf(const CellRect& base, const VARIANT& index)
{
    if (IsMissing(index))
        return base;
    CellRect rows;
    if (IsText(index) && ToText(index).find(L':') != std::wstring::npos) {
        const CellRect parsed = Reference(index);
        if (!parsed.AllColumns())
            Fail(L"\"" + ToText(index) + L"\" names no rows.");
        rows = Shifted(base, {parsed.row1, 1, parsed.row2, 1});
    } else {
        rows = Offset(base, WholeIndex(index), 1);
    }
    return {rows.row1, base.column1, rows.row2, base.column2};
}

CellRect ColumnsOf(const CellRect& base, const VARIANT& index)
{
    if (IsMissing(index))
        return base;
    CellRect columns;
    if (IsText(index) && ToText(index).find(L':') != std::wstring::npos) {
        const CellRect parsed = Reference(index);
        if (!parsed.AllRows())
            Fail(L"\"" + ToText(index) + L"\" names no columns.");
        columns = Shifted(base, {1, parsed.column1, 1, parsed.column2});
    } else {
        columns = Offset(base, 1, ColumnIndex(index));
    }
    return {base.row1, columns.column1, base.row2, columns.column2};
}

} // namespace hv::sheet::server
