// The application object.
#include "SheetApplication.h"

#include "RangeTarget.h"
#include "SheetRange.h"
#include "SheetWorkbook.h"
#include "SheetWorksheet.h"

namespace hv::sheet::server {

SheetApplication::SheetApplication(Session session) : SheetObject(std::move(session))
{
}

HRESULT SheetApplication::Create(REFIID iid, void** out)
{
    try {
        auto* application = new SheetApplication(std::make_shared<SpreadsheetSession>());
        const HRESULT hr = application->QueryInterface(iid, out);
        application->Release();
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

std::shared_ptr<Workbook> SheetApplication::Book() const
{
    auto book = session_->ActiveWorkbook();
    if (!book)
        Fail(L"No workbook is open.");
    return book;
}

std::shared_ptr<Worksheet> SheetApplication::ActiveSheetOrFail() const
{
    return Book()->ActiveSheet();
}

STDMETHODIMP SheetApplication::get_Workbooks(VARIANT index, IDispatch** books)
{
    return Get(books, [&](IDispatch*& out) {
        out = IsMissing(index) ? SheetWorkbooks::Create(session_) : SheetWorkbooks::Item(session_, index);
    });
}

STDMETHODIMP SheetApplication::get_ActiveWorkbook(IDispatch** book)
{
    return Get(book, [&](IDispatch*& out) {
        if (auto active = session_->ActiveWorkbook())
            out = SheetWorkbook::Create(session_, active);
    });
}

STDMETHODIMP SheetApplication::get_ActiveSheet(IDispatch** sheet)
{
    return Get(sheet, [&](IDispatch*& out) {
        if (auto active = session_->ActiveWorkbook())
            out = SheetWorksheet::Create(session_, active->ActiveSheet());
    });
}

STDMETHODIMP SheetApplication::get_Sheets(VARIANT index, IDispatch** sheets)
{
    return Get(sheets, [&](IDispatch*& out) { out = SheetsOrItem(session_, Book(), index); });
}

STDMETHODIMP SheetApplication::get_Worksheets(VARIANT index, IDispatch** sheets)
{
    return get_Sheets(index, sheets);
}

STDMETHODIMP SheetApplication::get_Cells(VARIANT row, VARIANT column, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        out = SheetRange::Create(session_, ActiveSheetOrFail(), CellsOf(kWholeSheet, row, column));
    });
}

STDMETHODIMP SheetApplication::get_Range(VARIANT cell1, VARIANT cell2, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        const auto sheet = ActiveSheetOrFail();
        out = SheetRange::Create(session_, sheet, RangeOf(*sheet, kWholeSheet, cell1, cell2));
    });
}

STDMETHODIMP SheetApplication::get_Rows(VARIANT index, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        out = SheetRange::Create(session_, ActiveSheetOrFail(), RowsOf(kWholeSheet, index), RangeKind::Rows);
    });
}

STDMETHODIMP SheetApplication::get_Columns(VARIANT index, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        out = SheetRange::Create(session_, ActiveSheetOrFail(), ColumnsOf(kWholeSheet, index), RangeKind::Columns);
    });
}

STDMETHODIMP SheetApplication::get_Selection(IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        if (auto book = session_->ActiveWorkbook()) {
            const auto sheet = book->ActiveSheet();
            const CellRect& s = sheet->Selection();
            const RangeKind kind = s.AllColumns() && !s.AllRows()   ? RangeKind::Rows
                                   : s.AllRows() && !s.AllColumns() ? RangeKind::Columns
                                                                    : RangeKind::Cells;
            out = SheetRange::Create(session_, sheet, s, kind);
        }
    });
}

STDMETHODIMP SheetApplication::get_Visible(VARIANT* visible)
{
    return Get(visible, [&](VARIANT& v) { SetResultBool(&v, session_->Visible()); });
}

STDMETHODIMP SheetApplication::put_Visible(VARIANT visible)
{
    return Run([&] { session_->SetVisible(ToBool(visible)); });
}

STDMETHODIMP SheetApplication::Quit()
{
    return Run([&] { session_->Quit(); });
}

} // namespace hv::sheet::server
