// HvCollectionItem: the interface through which a collection saves and loads
// each of its items with the collection's stream form. Reached through
// QueryInterface with a private identifier that is not in the type library.
#pragma once

#include <windows.h>
#include <objidl.h>

extern "C" const IID IID_HvCollectionItem;

struct HvCollectionItem : public IUnknown {
    // arg is handed through from the collection's Save or Load.
    virtual HRESULT STDMETHODCALLTYPE Save(IStream* stream, LONG arg) = 0;
    virtual HRESULT STDMETHODCALLTYPE Load(IStream* stream, LONG arg) = 0;
};
