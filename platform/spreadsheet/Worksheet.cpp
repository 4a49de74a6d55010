// One sheet's storage and the operations that ranges perform on it.
#include "Worksheet.h"

#include "AutoFit.h"
#include "SheetError.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace hv::sheet {

Worksheet::Worksheet(std::shared_ptr<BookCore> core, std::wstring name) : core_(std::move(core)), name_(std::move(name))
{
}

void Worksheet::SetName(std::wstring name)
{
    name_ = std::move(name);
    core_->Touch();
}

void Worksheet::CheckSize(long long cells)
{
    if (cells > kMaxTouchedCells)
        throw SheetError(L"The range is too large for this operation (at most 1,048,576 cells).");
}

Cell& Worksheet::Ensure(RowData& row, int rowNumber, int column)
{
    const auto found = row.cells.lower_bound(column);
    if (found != row.cells.end() && found->first == column)
        return found->second;
    Cell cell;
    cell.style = StyleAt(rowNumber, column);
    return row.cells.emplace_hint(found, column, cell)->second;
}

const Cell* Worksheet::CellAt(int row, int column) const
{
    const auto r = rows_.find(row);
    if (r == rows_.end())
        return nullptr;
    const auto c = r->second.cells.find(column);
    return c == r->second.cells.end() ? nullptr : &c->second;
}

CellValue Worksheet::ValueAt(int row, int column) const
{
    const Cell* cell = CellAt(row, column);
    return cell ? cell->value : CellValue{};
}

unsigned Worksheet::StyleAt(int row, int column) const
{
    const auto r = rows_.find(row);
    if (r != rows_.end()) {
        const auto c = r->second.cells.find(column);
        if (c != r->second.cells.end())
            return c->second.style;
        if (r->second.customFormat)
            return r->second.style;
    }
    return columns_.empty() ? 0 : columns_[column].style;
}

void Worksheet::SetValue(const CellRect& rect, const CellValue& value, bool isDate)
{
    CheckSize(rect.CellCount());
    const auto dated = MakeRestyler([](CellStyle& s) {
        if (s.numberFormat == L"General")
            s.numberFormat = kShortDateFormat;
    });
    for (int r = rect.row1; r <= rect.row2; ++r) {
        RowData& row = rows_[r];
        for (int c = rect.column1; c <= rect.column2; ++c) {
            Cell& cell = Ensure(row, r, c);
            cell.value = value;
            if (isDate)
                cell.style = dated(cell.style);
        }
    }
    core_->Touch();
}

Worksheet::Restyler Worksheet::MakeRestyler(const StyleTable::Change& change)
{
    // Many cells share few styles: each old record is restyled once.
    auto memo = std::make_shared<std::unordered_map<unsigned, unsigned>>();
    return [this, memo, change](unsigned old) {
        const auto found = memo->find(old);
        if (found != memo->end())
            return found->second;
        const unsigned restyled = core_->styles.Restyle(old, change);
        memo->emplace(old, restyled);
        return restyled;
    };
}

std::vector<ColumnData>& Worksheet::ColumnsForWrite()
{
    if (columns_.empty())
        columns_.resize(kMaxColumns + 1);
    return columns_;
}

void Worksheet::Format(const CellRect& rect, const StyleTable::Change& change)
{
    const Restyler restyle = MakeRestyler(change);
    if (rect.AllRows() && rect.AllColumns())
        FormatWholeSheet(restyle);
    else if (rect.AllColumns())
        FormatRows(rect, restyle);
    else if (rect.AllRows())
        FormatColumns(rect, restyle);
    else
        FormatCells(rect, restyle);
    core_->Touch();
}

void Worksheet::FormatWholeSheet(const Restyler& restyle)
{
    for (ColumnData& column : ColumnsForWrite())
        column.style = restyle(column.style);
    for (auto& [number, row] : rows_) {
        if (row.customFormat)
            row.style = restyle(row.style);
        for (auto& [column, cell] : row.cells)
            cell.style = restyle(cell.style);
    }
}

void Worksheet::FormatRows(const CellRect& rect, const Restyler& restyle)
{
    // Where a formatted column crosses a row that takes a format of its
    // own, the cell keeps the column's format under the row's change.
    std::vector<int> formattedColumns;
    for (size_t c = 1; c < columns_.size(); ++c)
        if (columns_[c].style != 0)
            formattedColumns.push_back(static_cast<int>(c));
    long long created = 0;
    for (int r = rect.row1; r <= rect.row2; ++r) {
        const auto found = rows_.find(r);
        if (found == rows_.end() || !found->second.customFormat)
            created += static_cast<long long>(formattedColumns.size());
    }
    CheckSize(created);
    for (int r = rect.row1; r <= rect.row2; ++r) {
        RowData& row = rows_[r];
        if (!row.customFormat) {
            for (int c : formattedColumns)
                Ensure(row, r, c);
            row.customFormat = true;
        }
        row.style = restyle(row.style);
        for (auto& [column, cell] : row.cells)
            cell.style = restyle(cell.style);
    }
}

void Worksheet::FormatColumns(const CellRect& rect, const Restyler& restyle)
{
    long long created = 0;
    for (const auto& [number, row] : rows_)
        if (row.customFormat)
            created += rect.ColumnCount();
    CheckSize(created);
    std::vector<ColumnData>& columns = ColumnsForWrite();
    for (auto& [number, row] : rows_) {
        if (row.customFormat)
            for (int c = rect.column1; c <= rect.column2; ++c)
                Ensure(row, number, c);
        for (auto it = row.cells.lower_bound(rect.column1); it != row.cells.end() && it->first <= rect.column2; ++it)
            it->second.style = restyle(it->second.style);
    }
    for (int c = rect.column1; c <= rect.column2; ++c)
        columns[c].style = restyle(columns[c].style);
}

void Worksheet::FormatCells(const CellRect& rect, const Restyler& restyle)
{
    CheckSize(rect.CellCount());
    for (int r = rect.row1; r <= rect.row2; ++r) {
        RowData& row = rows_[r];
        for (int c = rect.column1; c <= rect.column2; ++c) {
            Cell& cell = Ensure(row, r, c);
            cell.style = restyle(cell.style);
        }
    }
}

double Worksheet::ColumnWidth(int column) const
{
    const double width = columns_.empty() ? -1 : columns_[column].width;
    return width < 0 ? kDefaultColumnWidth : width;
}

void Worksheet::SetColumnWidth(int first, int last, double width)
{
    if (!(width >= 0 && width <= kMaxColumnWidth))
        throw SheetError(L"A column width runs from 0 to 255 characters.");
    std::vector<ColumnData>& columns = ColumnsForWrite();
    for (int c = first; c <= last; ++c)
        columns[c].width = width;
    core_->Touch();
}

double Worksheet::RowHeight(int row) const
{
    const auto found = rows_.find(row);
    return found == rows_.end() || found->second.height < 0 ? defaultRowHeight_ : found->second.height;
}

void Worksheet::SetRowHeight(int first, int last, double height)
{
    if (!(height >= 0 && height <= kMaxRowHeight))
        throw SheetError(L"A row height runs from 0 to 409 points.");
    if (first == 1 && last == kMaxRows) {
        // Every row: the sheet's default, and the rows that have their own.
        defaultRowHeight_ = height;
        for (auto& [number, row] : rows_)
            row.height = -1;
    } else {
        for (int r = first; r <= last; ++r) {
            RowData& row = rows_[r];
            row.height = height;
            row.customHeight = true;
        }
    }
    core_->Touch();
}

double Worksheet::FittedHeight(int rowNumber, const RowData& row) const
{
    double height = kDefaultRowHeight;
    for (const auto& [column, cell] : row.cells) {
        if (MergeAt(rowNumber, column))
            continue;  // merged cells keep the height they are given
        height = std::max(height, CellHeightNeeded(cell.value, Styles().At(cell.style), ColumnWidth(column)));
    }
    return height;
}

void Worksheet::AutoFitRows(int first, int last)
{
    for (auto it = rows_.lower_bound(first); it != rows_.end() && it->first <= last; ++it) {
        it->second.height = FittedHeight(it->first, it->second);
        it->second.customHeight = false;
    }
    core_->Touch();
}

void Worksheet::AutoFitColumns(int first, int last)
{
    std::vector<double> widths(static_cast<size_t>(last - first + 1), -1);
    for (const auto& [number, row] : rows_)
        for (auto it = row.cells.lower_bound(first); it != row.cells.end() && it->first <= last; ++it) {
            if (it->second.value.kind == CellValue::Kind::Empty || MergeAt(number, it->first))
                continue;
            double& width = widths[static_cast<size_t>(it->first - first)];
            width = std::max(width, CellWidthNeeded(it->second.value, Styles().At(it->second.style)));
        }
    std::vector<ColumnData>& columns = ColumnsForWrite();
    for (int c = first; c <= last; ++c)
        columns[c].width = widths[static_cast<size_t>(c - first)];
    core_->Touch();
}

void Worksheet::Merge(const CellRect& rect, bool across)
{
    if (across && rect.RowCount() > 1) {
        for (int r = rect.row1; r <= rect.row2; ++r)
            Merge({r, rect.column1, r, rect.column2});
        return;
    }
    if (rect.CellCount() < 2)
        return;
    CheckSize(rect.CellCount());
    // The merged area grows over any area it touches; only the value of
    // its first cell stays.
    CellRect area = rect;
    for (bool grown = true; grown;) {
        grown = false;
        for (const CellRect& m : merges_)
            if (m.Overlaps(area) && Span(m, area) != area) {
                area = Span(m, area);
                grown = true;
            }
    }
    CheckSize(area.CellCount());
    std::erase_if(merges_, [&](const CellRect& m) { return m.Overlaps(area); });
    for (auto it = rows_.lower_bound(area.row1); it != rows_.end() && it->first <= area.row2; ++it)
        for (auto c = it->second.cells.lower_bound(area.column1); c != it->second.cells.end() && c->first <= area.column2; ++c)
            if (it->first != area.row1 || c->first != area.column1)
                c->second.value = CellValue{};
    merges_.push_back(area);
    core_->Touch();
}

void Worksheet::Unmerge(const CellRect& rect)
{
    std::erase_if(merges_, [&](const CellRect& m) { return m.Overlaps(rect); });
    core_->Touch();
}

const CellRect* Worksheet::MergeAt(int row, int column) const
{
    for (const CellRect& m : merges_)
        if (m.Contains(row, column))
            return &m;
    return nullptr;
}

} // namespace hv::sheet
