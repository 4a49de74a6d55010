// SheetWorksheet: one sheet of a workbook as an automation object. The
// sheet is not owned: once deleted, or its workbook closed, calls fail.
#pragma once

#include "SheetObject.h"

namespace hv::sheet::server {

class SheetWorksheet final : public SheetObject<IHvSheetWorksheet> {
public:
    using InterfaceType = IHvSheetWorksheet;
    SheetWorksheet(Session session, std::weak_ptr<Worksheet> sheet);
    static IDispatch* Create(Session session, std::weak_ptr<Worksheet> sheet);

    STDMETHODIMP get_Name(VARIANT* name) override;
    STDMETHODIMP put_Name(VARIANT name) override;
    STDMETHODIMP get_Index(long* index) override;
    STDMETHODIMP Select(VARIANT replace) override;
    STDMETHODIMP Activate() override;
    STDMETHODIMP Delete() override;
    STDMETHODIMP get_Cells(VARIANT row, VARIANT column, IDispatch** range) override;
    STDMETHODIMP get_Range(VARIANT cell1, VARIANT cell2, IDispatch** range) override;
    STDMETHODIMP get_Rows(VARIANT index, IDispatch** range) override;
    STDMETHODIMP get_Columns(VARIANT index, IDispatch** range) override;

private:
    std::shared_ptr<Worksheet> Sheet() const;
    std::shared_ptr<Workbook> Book() const;

    std::weak_ptr<Worksheet> sheet_;
};

} // namespace hv::sheet::server
