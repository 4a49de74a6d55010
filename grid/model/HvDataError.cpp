// HvDataError: the data error object.
#include "HvDataError.h"

#include "DataErrorInfo.h"

namespace {

template <class T>
HRESULT HandOut(IUnknown* object, REFIID iid, T** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!object)
        return S_OK;
    return object->QueryInterface(iid, reinterpret_cast<void**>(out));
}

} // namespace

HvDataError* HvDataError::Create()
{
    return new (std::nothrow) HvDataError;
}

HvDataError* HvDataError::CreateFromRecord(const DataErrorInfo& record)
{
    HvDataError* error = Create();
    if (!error)
        return nullptr;
    if (FAILED(VariantCopyInd(&error->invalidValue_, const_cast<VARIANT*>(&record.InvalidValue())))) {
        error->Release();
        return nullptr;
    }
    error->cell_ = record.Cell();
    error->row_ = record.Row();
    if (error->cell_)
        error->cell_->AddRef();
    if (error->row_)
        error->row_->AddRef();
    return error;
}

HvDataError::HvDataError() : HvObjectBaseImpl(ObjectType::HvDataError)
{
    VariantInit(&invalidValue_);
}

HvDataError::~HvDataError()
{
    HvDataError::ReleaseReferences();
}

void HvDataError::ReleaseReferences()
{
    if (cell_) {
        IUnknown* cell = cell_;
        cell_ = nullptr;
        cell->Release();
    }
    if (row_) {
        IUnknown* row = row_;
        row_ = nullptr;
        row->Release();
    }
    VariantClear(&invalidValue_);
}

STDMETHODIMP HvDataError::get_Source(Constants_DataErrorSource* source)
{
    if (!source)
        return E_INVALIDARG;
    *source = source_;
    return S_OK;
}

STDMETHODIMP HvDataError::get_Cell(IHvCell** cell)
{
    return HandOut(cell_, IID_IHvCell, cell);
}

STDMETHODIMP HvDataError::get_Row(IHvRow** row)
{
    return HandOut(row_, IID_IHvRow, row);
}

STDMETHODIMP HvDataError::get_InvalidValue(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    VariantInit(value);
    return VariantCopyInd(value, &invalidValue_);
}
