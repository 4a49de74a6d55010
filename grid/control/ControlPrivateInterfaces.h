// Private interfaces that the grid control answers to QueryInterface beside
// its published ones: the two image-property interfaces through which
// property pages reach the images collection, and the query that tells a
// property browser which properties are sub-objects.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

extern "C" const IID IID_IHvImagePropertyQuery;
extern "C" const IID IID_IHvImagePropertyAccess;
extern "C" const IID IID_IHvSubObjectPropertyQuery;

// The image properties a page shows: their count, identifiers, defaults,
// the page's choice among the candidates and the default colour.
struct IHvImagePropertyQuery : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetPropertyCount(long* count) = 0;
    // ids holds at least GetPropertyCount entries.
    virtual HRESULT STDMETHODCALLTYPE GetPropertyIds(DISPID* ids) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPropertyDefault(DISPID dispid, long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPropertyChoice(DISPID dispid, long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPropertyChoice(DISPID dispid, long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultColor(DISPID dispid, OLE_COLOR* color) = 0;
};

// Reads and writes of the image properties (Picture, Images, ImageList).
struct IHvImagePropertyAccess : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetImageProperty(DISPID dispid, VARIANT* out, long argument) = 0;
    virtual HRESULT STDMETHODCALLTYPE PutImageProperty(DISPID dispid, VARIANT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE PutRefImageProperty(DISPID dispid, VARIANT* value) = 0;
};

struct IHvSubObjectPropertyQuery : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE IsPlainProperty(DISPID dispid, VARIANT_BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsSubObjectProperty(DISPID dispid, VARIANT_BOOL* result) = 0;
};
