// Range objects: navigation, values, selection, merging and sizes.
#include "SheetRange.h"

#include "SheetFont.h"
#include "SheetInterior.h"
#include "SheetWorksheet.h"

namespace hv::sheet::server {

// {36948988-AE38-4130-BBE3-D71A70F88593}: private, never marshalled.
const IID kRangeObjectIid = {0x36948988, 0xae38, 0x4130, {0xbb, 0xe3, 0xd7, 0x1a, 0x70, 0xf8, 0x85, 0x93}};

namespace {

CellValue ValueFrom(const VARIANT& given, bool& isDate)
{
    const VARIANT& v = Deref(given);
    isDate = false;
    switch (V_VT(&v)) {
    case VT_EMPTY:
    case VT_NULL:
        return CellValue{};
    case VT_BSTR:
        return CellValue::Text(ToText(v));
    case VT_BOOL:
        return CellValue::Boolean(ToBool(v));
    case VT_DATE:
        isDate = true;
        return CellValue::Number(V_DATE(&v));
    default:
        return CellValue::Number(ToDouble(v));
    }
}

void SetValueResult(VARIANT* out, const CellValue& value)
{
    switch (value.kind) {
    case CellValue::Kind::Number:
        SetResult(out, value.number);
        break;
    case CellValue::Kind::Text:
        SetResult(out, value.text);
        break;
    case CellValue::Kind::Boolean:
        SetResultBool(out, value.number != 0);
        break;
    case CellValue::Kind::Empty:
        break;
    }
}

} // namespace

SheetRange::SheetRange(Session session, RangeTarget target) : SheetObject(std::move(session)), target_(std::move(target))
{
}

IDispatch* SheetRange::Create(Session session, std::weak_ptr<Worksheet> sheet, const CellRect& rect, RangeKind kind)
{
    return NewObject<SheetRange>(std::move(session), RangeTarget{std::move(sheet), rect, kind});
}

HRESULT SheetRange::QueryOther(REFIID iid, void** out)
{
    if (iid != kRangeObjectIid)
        return E_NOINTERFACE;
    *out = static_cast<IHvSheetRange*>(this);
    AddRef();
    return S_OK;
}

IDispatch* SheetRange::Sub(const CellRect& rect, RangeKind kind) const
{
    return Create(session_, target_.sheet, rect, kind);
}

const CellStyle& FirstStyleOf(const RangeTarget& target)
{
    const auto sheet = target.Sheet();
    return sheet->Styles().At(sheet->StyleAt(target.rect.row1, target.rect.column1));
}

void FormatTarget(const RangeTarget& target, const StyleTable::Change& change)
{
    target.Sheet()->Format(target.rect, change);
}

const CellStyle& SheetRange::FirstStyle() const
{
    return FirstStyleOf(target_);
}

void SheetRange::Format(const StyleTable::Change& change)
{
    FormatTarget(target_, change);
}

STDMETHODIMP SheetRange::get_Value(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) {
        SetValueResult(&v, target_.Sheet()->ValueAt(target_.rect.row1, target_.rect.column1));
    });
}

STDMETHODIMP SheetRange::put_Value(VARIANT value)
{
    return Run([&] {
        bool isDate = false;
        const CellValue cell = ValueFrom(value, isDate);
        target_.Sheet()->SetValue(target_.rect, cell, isDate);
    });
}

STDMETHODIMP SheetRange::get_Cells(VARIANT row, VARIANT column, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        target_.Sheet();
        out = Sub(CellsOf(target_.rect, row, column));
    });
}

STDMETHODIMP SheetRange::get_Item(VARIANT row, VARIANT column, IDispatch** range)
{
    return get_Cells(row, column, range);
}

STDMETHODIMP SheetRange::get_Range(VARIANT cell1, VARIANT cell2, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        out = Sub(RangeOf(*target_.Sheet(), target_.rect, cell1, cell2));
    });
}

STDMETHODIMP SheetRange::get_Rows(VARIANT index, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        target_.Sheet();
        out = Sub(RowsOf(target_.rect, index), RangeKind::Rows);
    });
}

STDMETHODIMP SheetRange::get_Columns(VARIANT index, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        target_.Sheet();
        out = Sub(ColumnsOf(target_.rect, index), RangeKind::Columns);
    });
}

STDMETHODIMP SheetRange::get_EntireRow(IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        out = Sub({target_.rect.row1, 1, target_.rect.row2, kMaxColumns}, RangeKind::Rows);
    });
}

STDMETHODIMP SheetRange::get_EntireColumn(IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        out = Sub({1, target_.rect.column1, kMaxRows, target_.rect.column2}, RangeKind::Columns);
    });
}

STDMETHODIMP SheetRange::get_Worksheet(IDispatch** sheet)
{
    return Get(sheet, [&](IDispatch*& out) { out = SheetWorksheet::Create(session_, target_.Sheet()); });
}

STDMETHODIMP SheetRange::get_Font(IDispatch** font)
{
    return Get(font, [&](IDispatch*& out) {
        target_.Sheet();
        out = SheetFont::Create(session_, target_);
    });
}

STDMETHODIMP SheetRange::get_Interior(IDispatch** interior)
{
    return Get(interior, [&](IDispatch*& out) {
        target_.Sheet();
        out = SheetInterior::Create(session_, target_);
    });
}

STDMETHODIMP SheetRange::get_Row(long* row)
{
    return Get(row, [&](long& out) { out = target_.rect.row1; });
}

STDMETHODIMP SheetRange::get_Column(long* column)
{
    return Get(column, [&](long& out) { out = target_.rect.column1; });
}

STDMETHODIMP SheetRange::get_Count(double* count)
{
    return Get(count, [&](double& out) {
        const CellRect& r = target_.rect;
        out = static_cast<double>(target_.kind == RangeKind::Rows      ? r.RowCount()
                                  : target_.kind == RangeKind::Columns ? r.ColumnCount()
                                                                       : r.CellCount());
    });
}

STDMETHODIMP SheetRange::get_Address(BSTR* address)
{
    return Get(address, [&](BSTR& out) {
        const std::wstring name = RectName(target_.rect);
        out = SysAllocString(name.c_str());
        if (!out)
            throw std::bad_alloc();
    });
}

STDMETHODIMP SheetRange::Select()
{
    return Run([&] {
        const auto sheet = target_.Sheet();
        const auto book = session_->OwnerOf(sheet.get());
        if (!book)
            Fail(L"The sheet of these cells no longer exists.");
        book->Activate(sheet.get());
        session_->Activate(book.get());
        sheet->SetSelection(target_.rect);
    });
}

STDMETHODIMP SheetRange::Activate()
{
    return Select();
}

STDMETHODIMP SheetRange::Merge(VARIANT across)
{
    return Run([&] {
        const bool eachRow = !IsMissing(across) && ToBool(across);
        target_.Sheet()->Merge(target_.rect, eachRow);
    });
}

STDMETHODIMP SheetRange::UnMerge()
{
    return Run([&] { target_.Sheet()->Unmerge(target_.rect); });
}

STDMETHODIMP SheetRange::AutoFit()
{
    return Run([&] {
        const auto sheet = target_.Sheet();
        const CellRect& r = target_.rect;
        if (target_.kind == RangeKind::Rows || r.AllColumns())
            sheet->AutoFitRows(r.row1, r.row2);
        else if (target_.kind == RangeKind::Columns || r.AllRows())
            sheet->AutoFitColumns(r.column1, r.column2);
        else
            Fail(L"AutoFit sizes whole rows or whole columns only.");
    });
}

STDMETHODIMP SheetRange::ClearContents()
{
    return Run([&] { target_.Sheet()->SetValue(target_.rect, CellValue{}); });
}

STDMETHODIMP SheetRange::get_RowHeight(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, target_.Sheet()->RowHeight(target_.rect.row1)); });
}

STDMETHODIMP SheetRange::put_RowHeight(VARIANT value)
{
    return Run([&] {
        const double height = ToDoubleIn(value, 0, kMaxRowHeight, L"A row height");
        target_.Sheet()->SetRowHeight(target_.rect.row1, target_.rect.row2, height);
    });
}

STDMETHODIMP SheetRange::get_ColumnWidth(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, target_.Sheet()->ColumnWidth(target_.rect.column1)); });
}

STDMETHODIMP SheetRange::put_ColumnWidth(VARIANT value)
{
    return Run([&] {
        const double width = ToDoubleIn(value, 0, kMaxColumnWidth, L"A column width");
        target_.Sheet()->SetColumnWidth(target_.rect.column1, target_.rect.column2, width);
    });
}

STDMETHODIMP SheetRange::get_MergeCells(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) {
        const CellRect* area = target_.Sheet()->MergeAt(target_.rect.row1, target_.rect.column1);
        SetResultBool(&v, area && Span(*area, target_.rect) == *area);
    });
}

STDMETHODIMP SheetRange::put_MergeCells(VARIANT value)
{
    return Run([&] {
        if (ToBool(value))
            target_.Sheet()->Merge(target_.rect);
        else
            target_.Sheet()->Unmerge(target_.rect);
    });
}

} // namespace hv::sheet::server
