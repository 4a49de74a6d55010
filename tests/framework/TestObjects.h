// Automation objects made for the tests on top of the framework's bases.
#pragma once

#include "DualObject.h"

#include <Tavelle.h>

#include <functional>

// An object of the HvReturnLong type whose Value fails once the object is
// deactivated, as every member of the object model does, and whose final
// release runs a test-supplied action.
class TestLongObject final : public CDualObject<IHvReturnLong> {
public:
    explicit TestLongObject(IUnknown* outer = nullptr) : CDualObject(outer, ObjectType::HvReturnLong) {}

    STDMETHODIMP get_Value(LONG* value) override
    {
        if (!IsActive())
            return NotActiveError();
        if (!value)
            return E_INVALIDARG;
        *value = value_;
        return S_OK;
    }
    STDMETHODIMP put_Value(LONG value) override
    {
        if (!IsActive())
            return NotActiveError();
        value_ = value;
        return S_OK;
    }

    std::function<void(TestLongObject&)> onFinalRelease;
    int releasedReferences = 0;
    static int destroyed;

    ~TestLongObject() override { ++destroyed; }

protected:
    void OnFinalRelease() override
    {
        if (onFinalRelease)
            onFinalRelease(*this);
    }
    void ReleaseReferences() override { ++releasedReferences; }

private:
    LONG value_ = 0;
};
