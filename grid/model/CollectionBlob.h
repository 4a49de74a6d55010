// CollectionBlob: the IPersistStream object over one memory block
// ({32-bit count, bytes}) in which a collection's binary form crosses a
// property bag as a VT_UNKNOWN value. The count is the size of the memory
// block that held the stream, which may exceed the bytes written.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <ocidl.h>

class CollectionBlob final : public IPersistStream {
public:
    // block: owned from now on (null for an empty object).
    static CollectionBlob* Create(HGLOBAL block);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return S_OK; }
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

    HGLOBAL Block() const { return block_; }

    // Writes what save(stream) writes under name.
    template <class TSave>
    static HRESULT WriteEntry(IPropertyBag* bag, LPCOLESTR name, TSave save);
    // Reads the entry under name and gives a stream over its data to load;
    // S_FALSE without calling load when there is no such entry.
    template <class TLoad>
    static HRESULT ReadEntry(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, TLoad load);

private:
    explicit CollectionBlob(HGLOBAL block) : block_(block) {}
    ~CollectionBlob();
    static HRESULT WrapStream(IStream* stream, CollectionBlob** out);
    HRESULT OpenData(IStream** out) const;
    // A bag may answer with an object of its own: its stream form is taken.
    HRESULT TakeAnswer(const VARIANT& value);

    LONG refs_ = 1;
    HGLOBAL block_;
};

template <class TSave>
HRESULT CollectionBlob::WriteEntry(IPropertyBag* bag, LPCOLESTR name, TSave save)
{
    IStream* stream = nullptr;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr))
        return hr;
    hr = save(stream);
    CollectionBlob* blob = nullptr;
    if (SUCCEEDED(hr))
        hr = WrapStream(stream, &blob);
    stream->Release();
    if (FAILED(hr))
        return hr;
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_UNKNOWN;
    V_UNKNOWN(&value) = static_cast<IPersistStream*>(blob);
    hr = bag->Write(name, &value);
    blob->Release();
    return hr;
}

template <class TLoad>
HRESULT CollectionBlob::ReadEntry(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, TLoad load)
{
    CollectionBlob* blob = Create(nullptr);
    if (!blob)
        return E_OUTOFMEMORY;
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_UNKNOWN;
    V_UNKNOWN(&value) = static_cast<IPersistStream*>(blob);
    blob->AddRef();
    HRESULT hr = bag->Read(name, &value, log);
    if (SUCCEEDED(hr))
        hr = blob->TakeAnswer(value);
    VariantClear(&value);
    if (FAILED(hr) || !blob->block_) {
        blob->Release();
        return S_FALSE;
    }
    IStream* data = nullptr;
    hr = blob->OpenData(&data);
    blob->Release();
    if (FAILED(hr))
        return hr;
    hr = load(data);
    data->Release();
    return hr;
}
