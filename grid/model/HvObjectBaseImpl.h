// HvObjectBaseImpl: the members that every grid object interface derived
// from IHvObjectBase shares: the hidden object pointer, the TagVariant held
// in a variant holder, and IsSameAs. None of them tests liveness.
#pragma once

#include "DualObject.h"
#include "VariantValue.h"

#include <new>

template <class TInterface>
class HvObjectBaseImpl : public CDualObject<TInterface> {
public:
    STDMETHODIMP _GetObjectPointer(long* pointer) override
    {
        return CAutomationObject::GetObjectPointer(static_cast<TInterface*>(this), pointer);
    }
    STDMETHODIMP get_TagVariant(VARIANT* value) override
    {
        if (!value)
            return E_INVALIDARG;
        return tag_.GetValue(value);
    }
    STDMETHODIMP put_TagVariant(VARIANT value) override { return tag_.SetValue(value); }
    STDMETHODIMP putref_TagVariant(VARIANT* value) override
    {
        if (!value)
            return E_INVALIDARG;
        return tag_.SetValueRef(value);
    }
    STDMETHODIMP IsSameAs(IDispatch* other, VARIANT_BOOL* result) override
    {
        if (!result)
            return E_INVALIDARG;
        *result = CAutomationObject::IsSameAs(other);
        return S_OK;
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
