// HvDataError: the details of an error of data binding: the row and cell
// concerned and the value that could not be stored.
#pragma once

#include "HvObjectBaseImpl.h"

#include <Tavelle.h>

class DataErrorInfo;

class HvDataError final : public HvObjectBaseImpl<IHvDataError> {
public:
    // With no cell, no row and no value; null when memory is short.
    static HvDataError* Create();
    // From a record: its cell and row (referenced) and a copy of its value.
    static HvDataError* CreateFromRecord(const DataErrorInfo& record);

    STDMETHODIMP get_Source(Constants_DataErrorSource* source) override;
    STDMETHODIMP get_Cell(IHvCell** cell) override;
    STDMETHODIMP get_Row(IHvRow** row) override;
    STDMETHODIMP get_InvalidValue(VARIANT* value) override;

    void ReleaseReferences() override;

private:
    HvDataError();
    ~HvDataError() override;

    Constants_DataErrorSource source_ = hvSourceProvider;
    IUnknown* cell_ = nullptr; // referenced
    IUnknown* row_ = nullptr;  // referenced
    VARIANT invalidValue_;
};
