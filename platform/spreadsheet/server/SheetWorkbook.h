// SheetWorkbook and SheetWorkbooks: a workbook, and the application's open
// workbooks, as automation objects. Close(False) discards a workbook
// without writing anything; Close(True) writes it (as a visible
// application does) before closing it.
#pragma once

#include "SheetObject.h"

namespace hv::sheet::server {

class SheetWorkbook final : public SheetObject<IHvSheetWorkbook> {
public:
    using InterfaceType = IHvSheetWorkbook;
    SheetWorkbook(Session session, std::weak_ptr<Workbook> book);
    static IDispatch* Create(Session session, std::weak_ptr<Workbook> book);

    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP get_FullName(BSTR* path) override;
    STDMETHODIMP get_Sheets(VARIANT index, IDispatch** sheets) override;
    STDMETHODIMP get_Worksheets(VARIANT index, IDispatch** sheets) override;
    STDMETHODIMP get_ActiveSheet(IDispatch** sheet) override;
    STDMETHODIMP Activate() override;
    STDMETHODIMP Close(VARIANT saveChanges) override;

private:
    std::weak_ptr<Workbook> book_;
};

class SheetWorkbooks final : public SheetObject<IHvSheetWorkbooks> {
public:
    using InterfaceType = IHvSheetWorkbooks;
    explicit SheetWorkbooks(Session session);
    static IDispatch* Create(Session session);
    static IDispatch* Item(const Session& session, const VARIANT& index);

    STDMETHODIMP get_Item(VARIANT index, IDispatch** book) override;
    STDMETHODIMP get_Count(long* count) override;
    STDMETHODIMP Add(VARIANT templateName, IDispatch** book) override;
};

// A sheets collection, or one of its sheets when an index is given.
IDispatch* SheetsOrItem(const Session& session, const std::shared_ptr<Workbook>& book, const VARIANT& index);
BSTR NewText(const std::wstring& text);

} // namespace hv::sheet::server
