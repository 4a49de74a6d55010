// CReturnValueObject: the common body of the return-value objects, the
// small automation objects that carry an event argument which the
// container's handler may change (a Cancel flag, a key code, a height).
#pragma once

#include "DualObject.h"

#include <new>

// TInterface's Value property (DISPID 0) holds one TValue. The objects are
// never deactivated, so neither accessor tests liveness.
template <class TInterface, class TValue, int kObjectType>
class CReturnValueObject : public CDualObject<TInterface> {
public:
    STDMETHODIMP get_Value(TValue* value) override
    {
        if (!value)
            return E_INVALIDARG;
        *value = value_;
        return S_OK;
    }
    STDMETHODIMP put_Value(TValue value) override
    {
        value_ = value;
        return S_OK;
    }

    TValue Value() const { return value_; }

protected:
    explicit CReturnValueObject(TValue initial) : CDualObject<TInterface>(nullptr, kObjectType), value_(initial) {}

    // A new object of TClass with one reference, handed out through its
    // interface; null when it could not be made.
    template <class TClass>
    static TInterface* CreateObject(TValue initial)
    {
        try {
            TClass* object = new (std::nothrow) TClass(initial);
            return object ? object->Interface() : nullptr;
        } catch (...) {
            return nullptr;
        }
    }

private:
    TValue value_;
};
