// HvMaskError: the mask error object.
#include "HvMaskError.h"

HvMaskError* HvMaskError::Create(const CDualString& invalidText, short startPosition)
{
    try {
        return new HvMaskError(invalidText, startPosition);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

HvMaskError::HvMaskError(const CDualString& invalidText, short startPosition)
    : HvObjectBaseImpl(ObjectType::HvMaskError), invalidText_(invalidText), startPosition_(startPosition)
{
}

STDMETHODIMP HvMaskError::get_CancelBeep(VARIANT_BOOL* cancel)
{
    if (!cancel)
        return E_INVALIDARG;
    *cancel = cancelBeep_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvMaskError::put_CancelBeep(VARIANT_BOOL cancel)
{
    cancelBeep_ = cancel != 0;
    return S_OK;
}

STDMETHODIMP HvMaskError::get_InvalidText(BSTR* text)
{
    if (!text)
        return E_INVALIDARG;
    return Guard([&] {
        *text = CDualString(invalidText_).AllocSysString();
        return S_OK;
    });
}

STDMETHODIMP HvMaskError::get_StartPosition(short* position)
{
    if (!position)
        return E_INVALIDARG;
    *position = startPosition_;
    return S_OK;
}
