// The sheets collection.
#include "SheetSheets.h"

#include "SheetWorksheet.h"

#include <cmath>

namespace hv::sheet::server {

std::shared_ptr<Workbook> OpenBook(const std::weak_ptr<Workbook>& book)
{
    auto open = book.lock();
    if (!open)
        Fail(L"The workbook is no longer open.");
    return open;
}

SheetSheets::SheetSheets(Session session, std::weak_ptr<Workbook> book)
    : SheetObject(std::move(session)), book_(std::move(book))
{
}

IDispatch* SheetSheets::Create(Session session, std::weak_ptr<Workbook> book)
{
    return NewObject<SheetSheets>(std::move(session), std::move(book));
}

IDispatch* SheetSheets::Item(const Session& session, const Workbook& book, const VARIANT& index)
{
    const VARIANT& v = Deref(index);
    if (V_VT(&v) == VT_BSTR) {
        auto sheet = book.FindSheet(ToText(v));
        if (!sheet)
            Fail(L"There is no sheet named \"" + ToText(v) + L"\".", DISP_E_BADINDEX);
        return SheetWorksheet::Create(session, sheet);
    }
    const double n = ToDouble(v);
    if (n != std::floor(n) || n < 1 || n > book.SheetCount())
        Fail(L"There is no sheet at that index: indexes run from 1 to " + std::to_wstring(book.SheetCount()) + L".",
             DISP_E_BADINDEX);
    return SheetWorksheet::Create(session, book.Sheet(static_cast<int>(n)));
}

std::shared_ptr<Workbook> SheetSheets::Book() const
{
    return OpenBook(book_);
}

STDMETHODIMP SheetSheets::get_Item(VARIANT index, IDispatch** sheet)
{
    return Get(sheet, [&](IDispatch*& out) { out = Item(session_, *Book(), index); });
}

STDMETHODIMP SheetSheets::get_Count(long* count)
{
    return Get(count, [&](long& out) { out = Book()->SheetCount(); });
}

STDMETHODIMP SheetSheets::Add(IDispatch** sheet)
{
    return Get(sheet, [&](IDispatch*& out) {
        const auto book = Book();
        auto added = book->AddSheet();
        session_->Activate(book.get());
        out = SheetWorksheet::Create(session_, added);
    });
}

} // namespace hv::sheet::server
