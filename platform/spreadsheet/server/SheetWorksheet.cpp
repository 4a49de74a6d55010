// Sheet objects.
#include "SheetWorksheet.h"

#include "RangeTarget.h"
#include "SheetRange.h"

namespace hv::sheet::server {

SheetWorksheet::SheetWorksheet(Session session, std::weak_ptr<Worksheet> sheet)
    : SheetObject(std::move(session)), sheet_(std::move(sheet))
{
}

IDispatch* SheetWorksheet::Create(Session session, std::weak_ptr<Worksheet> sheet)
{
    return NewObject<SheetWorksheet>(std::move(session), std::move(sheet));
}

std::shared_ptr<Worksheet> SheetWorksheet::Sheet() const
{
    auto sheet = sheet_.lock();
    if (!sheet)
        Fail(L"The sheet no longer exists.");
    return sheet;
}

std::shared_ptr<Workbook> SheetWorksheet::Book() const
{
    auto book = session_->OwnerOf(Sheet().get());
    if (!book)
        Fail(L"The sheet no longer exists.");
    return book;
}

STDMETHODIMP SheetWorksheet::get_Name(VARIANT* name)
{
    return Get(name, [&](VARIANT& v) { SetResult(&v, Sheet()->Name()); });
}

STDMETHODIMP SheetWorksheet::put_Name(VARIANT name)
{
    return Run([&] { Book()->RenameSheet(Sheet().get(), ToText(name)); });
}

STDMETHODIMP SheetWorksheet::get_Index(long* index)
{
    return Get(index, [&](long& out) { out = Book()->IndexOf(Sheet().get()); });
}

STDMETHODIMP SheetWorksheet::Select(VARIANT)
{
    return Activate();
}

STDMETHODIMP SheetWorksheet::Activate()
{
    return Run([&] {
        const auto book = Book();
        book->Activate(Sheet().get());
        session_->Activate(book.get());
    });
}

STDMETHODIMP SheetWorksheet::Delete()
{
    return Run([&] { Book()->DeleteSheet(Sheet().get()); });
}

STDMETHODIMP SheetWorksheet::get_Cells(VARIANT row, VARIANT column, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        Sheet();
        out = SheetRange::Create(session_, sheet_, CellsOf(kWholeSheet, row, column));
    });
}

STDMETHODIMP SheetWorksheet::get_Range(VARIANT cell1, VARIANT cell2, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        out = SheetRange::Create(session_, sheet_, RangeOf(*Sheet(), kWholeSheet, cell1, cell2));
    });
}

STDMETHODIMP SheetWorksheet::get_Rows(VARIANT index, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        Sheet();
        out = SheetRange::Create(session_, sheet_, RowsOf(kWholeSheet, index), RangeKind::Rows);
    });
}

STDMETHODIMP SheetWorksheet::get_Columns(VARIANT index, IDispatch** range)
{
    return Get(range, [&](IDispatch*& out) {
        Sheet();
        out = SheetRange::Create(session_, sheet_, ColumnsOf(kWholeSheet, index), RangeKind::Columns);
    });
}

} // namespace hv::sheet::server
