// HvObjectBaseImpl: the members that every grid object interface derived
// from IHvObjectBase shares: the hidden object pointer, the TagVariant held
// in a variant holder, and IsSameAs. Once the object is no longer active
// (its grid or layout has gone, or it left its collection) each answers so.
#pragma once

#include "DualObject.h"
#include "VariantValue.h"

#include <new>

template <class TInterface>
class HvObjectBaseImpl : public CDualObject<TInterface> {
public:
    STDMETHODIMP _GetObjectPointer(long* pointer) override
    {
        return this->ObjectPointerMember(static_cast<TInterface*>(this), pointer);
    }
    STDMETHODIMP get_TagVariant(VARIANT* value) override
    {
        if (!value)
            return E_INVALIDARG;
        VariantInit(value);
        const HRESULT hr = this->CheckActive();
        return FAILED(hr) ? hr : tag_.GetValue(value);
    }
    STDMETHODIMP put_TagVariant(VARIANT value) override
    {
        const HRESULT hr = this->CheckActive();
        return FAILED(hr) ? hr : tag_.SetValue(value);
    }
    STDMETHODIMP putref_TagVariant(VARIANT* value) override
    {
        if (!value)
            return E_INVALIDARG;
        const HRESULT hr = this->CheckActive();
        return FAILED(hr) ? hr : tag_.SetValueRef(value);
    }
    STDMETHODIMP IsSameAs(IDispatch* other, VARIANT_BOOL* result) override
    {
        return this->IsSameAsMember(other, result);
    }

protected:
    explicit HvObjectBaseImpl(int objectType) : CDualObject<TInterface>(nullptr, objectType) {}
    ~HvObjectBaseImpl() override = default;

    // Every COM method ends here: no exception crosses the interface.
    template <class TBody>
    static HRESULT Guard(TBody body) noexcept
    {
        try {
            return body();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    CVariantValue tag_;
};
