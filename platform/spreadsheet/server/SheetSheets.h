// SheetSheets: the sheets of a workbook as an automation collection:
// items by 1-based index or by name, their count, and Add (which appends a
// sheet and makes it the active one).
#pragma once

#include "SheetObject.h"

namespace hv::sheet::server {

class SheetSheets final : public SheetObject<IHvSheetSheets> {
public:
    using InterfaceType = IHvSheetSheets;
    SheetSheets(Session session, std::weak_ptr<Workbook> book);
    static IDispatch* Create(Session session, std::weak_ptr<Workbook> book);
    // The sheet at an index or of a name, as an automation object.
    static IDispatch* Item(const Session& session, const Workbook& book, const VARIANT& index);

    STDMETHODIMP get_Item(VARIANT index, IDispatch** sheet) override;
    STDMETHODIMP get_Count(long* count) override;
    STDMETHODIMP Add(IDispatch** sheet) override;

private:
    std::shared_ptr<Workbook> Book() const;

    std::weak_ptr<Workbook> book_;
};

// The workbook of a weak reference, or Fail when it was closed.
std::shared_ptr<Workbook> OpenBook(const std::weak_ptr<Workbook>& book);

} // namespace hv::sheet::server
