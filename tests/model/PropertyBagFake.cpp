// A property bag over a map.
#include "PropertyBagFake.h"

MemoryBag::~MemoryBag()
{
    for (auto& entry : values_)
        VariantClear(&entry.second);
}

STDMETHODIMP MemoryBag::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
        *out = static_cast<IPropertyBag*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP MemoryBag::Write(LPCOLESTR name, VARIANT* value)
{
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopy(&copy, value);
    if (FAILED(hr))
        return hr;
    auto found = values_.find(name);
    if (found != values_.end())
        VariantClear(&found->second);
    values_[name] = copy;
    return S_OK;
}

STDMETHODIMP MemoryBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    auto found = values_.find(name);
    if (found == values_.end())
        return E_INVALIDARG;
    const VARIANT& stored = found->second;
    if (V_VT(value) == VT_UNKNOWN && V_UNKNOWN(value) && V_VT(&stored) == VT_UNKNOWN) {
        // The container's way: the stored object's stream form loads the caller's object.
        IPersistStream* from = nullptr;
        IPersistStream* to = nullptr;
        IStream* stream = nullptr;
        HRESULT hr = V_UNKNOWN(&stored)->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&from));
        if (SUCCEEDED(hr))
            hr = V_UNKNOWN(value)->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&to));
        if (SUCCEEDED(hr))
            hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        if (SUCCEEDED(hr))
            hr = from->Save(stream, FALSE);
        if (SUCCEEDED(hr)) {
            LARGE_INTEGER zero = {};
            stream->Seek(zero, STREAM_SEEK_SET, nullptr);
            hr = to->Load(stream);
        }
        if (stream)
            stream->Release();
        if (to)
            to->Release();
        if (from)
            from->Release();
        return hr;
    }
    return VariantCopy(value, const_cast<VARIANT*>(&stored));
}
