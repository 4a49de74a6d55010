// SheetApplication: the application object (ProgID "Excel.Application"),
// the root of the object model. Cells, Range, Rows, Columns and Selection
// address the active sheet of the active workbook; the workbook added last
// is the active one. Its session ends, handing changed workbooks over
// again, when the last object of the model is released.
#pragma once

#include "SheetObject.h"

namespace hv::sheet::server {

class SheetApplication final : public SheetObject<IHvSheetApplication> {
public:
    using InterfaceType = IHvSheetApplication;
    explicit SheetApplication(Session session);
    static HRESULT Create(REFIID iid, void** out);

    STDMETHODIMP get_Workbooks(VARIANT index, IDispatch** books) override;
    STDMETHODIMP get_ActiveWorkbook(IDispatch** book) override;
    STDMETHODIMP get_ActiveSheet(IDispatch** sheet) override;
    STDMETHODIMP get_Sheets(VARIANT index, IDispatch** sheets) override;
    STDMETHODIMP get_Worksheets(VARIANT index, IDispatch** sheets) override;
    STDMETHODIMP get_Cells(VARIANT row, VARIANT column, IDispatch** range) override;
    STDMETHODIMP get_Range(VARIANT cell1, VARIANT cell2, IDispatch** range) override;
    STDMETHODIMP get_Rows(VARIANT index, IDispatch** range) override;
    STDMETHODIMP get_Columns(VARIANT index, IDispatch** range) override;
    STDMETHODIMP get_Selection(IDispatch** range) override;
    STDMETHODIMP get_Visible(VARIANT* visible) override;
    STDMETHODIMP put_Visible(VARIANT visible) override;
    STDMETHODIMP Quit() override;

private:
    std::shared_ptr<Workbook> Book() const;
    std::shared_ptr<Worksheet> ActiveSheetOrFail() const;
};

} // namespace hv::sheet::server
