// HvError: the error object and its three ways of being made.
#include "HvError.h"

#include "DataErrorInfo.h"
#include "HvDataError.h"
#include "HvMaskError.h"

HvError* HvError::Create(Constants_ErrorType type, LONG code, const CDualString& description)
{
    HvError* error = nullptr;
    try {
        error = new HvError(type, code, description);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (type == hvErrorTypeData && !(error->dataError_ = HvDataError::Create())) {
        error->Release();
        return nullptr;
    }
    return error;
}

HvError* HvError::ConstructFromRecord(Constants_ErrorType type, const DataErrorInfo& record)
{
    CDualString message;
    HvError* error = nullptr;
    try {
        record.GetMessage(message);
        const LONG code = static_cast<short>(static_cast<unsigned short>(record.Code() & 0xFFFF));
        error = new HvError(type, code, message);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!(error->dataError_ = HvDataError::CreateFromRecord(record))) {
        error->Release();
        return nullptr;
    }
    return error;
}

HvError* HvError::ConstructWithMaskError(Constants_ErrorType type, LONG code, const CDualString& description,
                                         const CDualString& invalidText, short startPosition)
{
    HvError* error = nullptr;
    try {
        error = new HvError(type, code, description);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (type == hvErrorTypeMask && !(error->maskError_ = HvMaskError::Create(invalidText, startPosition))) {
        error->Release();
        return nullptr;
    }
    return error;
}

HvError::HvError(Constants_ErrorType type, LONG code, const CDualString& description)
    : HvObjectBaseImpl(ObjectType::HvError), type_(type), code_(code), description_(description)
{
}

HvError::~HvError()
{
    HvError::ReleaseReferences();
}

void HvError::ReleaseReferences()
{
    if (dataError_) {
        HvDataError* data = dataError_;
        dataError_ = nullptr;
        data->Release();
    }
    if (maskError_) {
        HvMaskError* mask = maskError_;
        maskError_ = nullptr;
        mask->Release();
    }
}

STDMETHODIMP HvError::get_Type(Constants_ErrorType* type)
{
    if (!type)
        return E_INVALIDARG;
    *type = type_;
    return S_OK;
}

STDMETHODIMP HvError::get_Code(long* code)
{
    if (!code)
        return E_INVALIDARG;
    *code = code_;
    return S_OK;
}

STDMETHODIMP HvError::get_Description(BSTR* description)
{
    if (!description)
        return E_INVALIDARG;
    return Guard([&] {
        *description = CDualString(description_).AllocSysString();
        return S_OK;
    });
}

STDMETHODIMP HvError::put_Description(BSTR description)
{
    return Guard([&] {
        description_.AssignWide(description ? description : L"");
        return S_OK;
    });
}

STDMETHODIMP HvError::get_DataError(IHvDataError** error)
{
    if (!error)
        return E_INVALIDARG;
    *error = dataError_;
    if (dataError_)
        dataError_->AddRef();
    return S_OK;
}

STDMETHODIMP HvError::get_MaskError(IHvMaskError** error)
{
    if (!error)
        return E_INVALIDARG;
    *error = maskError_;
    if (maskError_)
        maskError_->AddRef();
    return S_OK;
}

STDMETHODIMP HvError::get_DisplayErrorDialog(VARIANT_BOOL* display)
{
    if (!display)
        return E_INVALIDARG;
    *display = displayErrorDialog_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvError::put_DisplayErrorDialog(VARIANT_BOOL display)
{
    displayErrorDialog_ = display != 0;
    return S_OK;
}
