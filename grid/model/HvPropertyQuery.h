// HvPropertyQuery: the private interface through which the control asks a
// grid object about one of its properties by dispatch identifier. Reached
// through QueryInterface with a fixed identifier that is not in the type
// library.
#pragma once

#include <windows.h>
#include <oaidl.h>

extern "C" const IID IID_HvPropertyQuery;

struct HvPropertyQuery : public IUnknown {
    // Whether the property holds a plain value (not an object reference).
    virtual HRESULT STDMETHODCALLTYPE IsValueProperty(DISPID dispid, VARIANT_BOOL* result) = 0;
    // Whether the property refers to an appearance object.
    virtual HRESULT STDMETHODCALLTYPE IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result) = 0;
};
