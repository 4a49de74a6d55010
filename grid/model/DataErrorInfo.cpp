// DataErrorInfo: the data error record.
#include "DataErrorInfo.h"

DataErrorInfo::DataErrorInfo(HRESULT code, IUnknown* row, IUnknown* cell) : code_(code), row_(row), cell_(cell)
{
    VariantInit(&invalidValue_);
}

DataErrorInfo::~DataErrorInfo()
{
    row_ = nullptr;
    cell_ = nullptr;
    VariantClear(&invalidValue_);
    message_.Empty();
}

HRESULT DataErrorInfo::SetInvalidValue(const VARIANT* value)
{
    VariantClear(&invalidValue_);
    if (!value)
        return S_OK;
    return VariantCopyInd(&invalidValue_, const_cast<VARIANT*>(value));
}
