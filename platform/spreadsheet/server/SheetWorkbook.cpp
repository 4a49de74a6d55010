// Workbook objects and the workbooks collection.
#include "SheetWorkbook.h"

#include "SheetSheets.h"
#include "SheetWorksheet.h"

#include <cmath>

namespace hv::sheet::server {

IDispatch* SheetsOrItem(const Session& session, const std::shared_ptr<Workbook>& book, const VARIANT& index)
{
    if (IsMissing(index))
        return SheetSheets::Create(session, book);
    return SheetSheets::Item(session, *book, index);
}

BSTR NewText(const std::wstring& text)
{
    BSTR out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!out)
        throw std::bad_alloc();
    return out;
}

SheetWorkbook::SheetWorkbook(Session session, std::weak_ptr<Workbook> book)
    : SheetObject(std::move(session)), book_(std::move(book))
{
}

IDispatch* SheetWorkbook::Create(Session session, std::weak_ptr<Workbook> book)
{
    return NewObject<SheetWorkbook>(std::move(session), std::move(book));
}

STDMETHODIMP SheetWorkbook::get_Name(BSTR* name)
{
    return Get(name, [&](BSTR& out) { out = NewText(OpenBook(book_)->Name()); });
}

STDMETHODIMP SheetWorkbook::get_FullName(BSTR* path)
{
    return Get(path, [&](BSTR& out) {
        const auto book = OpenBook(book_);
        out = NewText(book->Path().empty() ? book->Name() : book->Path());
    });
}

STDMETHODIMP SheetWorkbook::get_Sheets(VARIANT index, IDispatch** sheets)
{
    return Get(sheets, [&](IDispatch*& out) { out = SheetsOrItem(session_, OpenBook(book_), index); });
}

STDMETHODIMP SheetWorkbook::get_Worksheets(VARIANT index, IDispatch** sheets)
{
    return get_Sheets(index, sheets);
}

STDMETHODIMP SheetWorkbook::get_ActiveSheet(IDispatch** sheet)
{
    return Get(sheet, [&](IDispatch*& out) { out = SheetWorksheet::Create(session_, OpenBook(book_)->ActiveSheet()); });
}

STDMETHODIMP SheetWorkbook::Activate()
{
    return Run([&] { session_->Activate(OpenBook(book_).get()); });
}

STDMETHODIMP SheetWorkbook::Close(VARIANT saveChanges)
{
    return Run([&] {
        const bool save = !IsMissing(saveChanges) && ToBool(saveChanges);
        session_->Close(OpenBook(book_).get(), save);
    });
}

SheetWorkbooks::SheetWorkbooks(Session session) : SheetObject(std::move(session))
{
}

IDispatch* SheetWorkbooks::Create(Session session)
{
    return NewObject<SheetWorkbooks>(std::move(session));
}

IDispatch* SheetWorkbooks::Item(const Session& session, const VARIANT& index)
{
    const VARIANT& v = Deref(index);
    if (V_VT(&v) == VT_BSTR) {
        const std::wstring name = ToText(v);
        for (int i = 1; i <= session->WorkbookCount(); ++i)
            if (CompareStringOrdinal(session->WorkbookAt(i)->Name().c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
                return SheetWorkbook::Create(session, session->WorkbookAt(i));
        Fail(L"There is no open workbook named \"" + name + L"\".", DISP_E_BADINDEX);
    }
    const double n = ToDouble(v);
    if (n != std::floor(n) || n < 1 || n > session->WorkbookCount())
        Fail(L"There is no open workbook at that index.", DISP_E_BADINDEX);
    return SheetWorkbook::Create(session, session->WorkbookAt(static_cast<int>(n)));
}

STDMETHODIMP SheetWorkbooks::get_Item(VARIANT index, IDispatch** book)
{
    return Get(book, [&](IDispatch*& out) { out = Item(session_, index); });
}

STDMETHODIMP SheetWorkbooks::get_Count(long* count)
{
    return Get(count, [&](long& out) { out = session_->WorkbookCount(); });
}

STDMETHODIMP SheetWorkbooks::Add(VARIANT templateName, IDispatch** book)
{
    return Get(book, [&](IDispatch*& out) {
        if (!IsMissing(templateName))
            Fail(L"Workbooks are made empty: templates are not supported.");
        out = SheetWorkbook::Create(session_, session_->AddWorkbook());
    });
}

} // namespace hv::sheet::server
