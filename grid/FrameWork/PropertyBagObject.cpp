// Saving and loading an object's stream form through a property bag.
#include "PropertyBagObject.h"

#include "PersistHGlobal.h"
#include "ReleaseField.h"

namespace {

// Only the bytes the object wrote go into the block: the stream's memory
// may be larger, and what lies beyond is uninitialised.
HRESULT WrapStream(IStream* stream, CPersistHGlobal** out)
{
    STATSTG status{};
    HRESULT hr = stream->Stat(&status, STATFLAG_NONAME);
    if (FAILED(hr))
        return hr;
    if (status.cbSize.HighPart)
        return E_OUTOFMEMORY;
    HGLOBAL source = nullptr;
    hr = GetHGlobalFromStream(stream, &source);
    if (FAILED(hr))
        return hr;
    const DWORD count = status.cbSize.LowPart;
    const void* data = count ? GlobalLock(source) : nullptr;
    if (count && !data)
        return E_OUTOFMEMORY;
    HGLOBAL block = CPersistHGlobal::MakeBlock(data, count);
    if (count)
        GlobalUnlock(source);
    if (!block)
        return E_OUTOFMEMORY;
    *out = CPersistHGlobal::Create(block);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A bag may answer with an object of its own rather than loading ours: its
// stream form is then read into ours.
HRESULT TakeAnswer(CPersistHGlobal* blob, const VARIANT& value)
{
    if ((V_VT(&value) != VT_UNKNOWN && V_VT(&value) != VT_DISPATCH) || !V_UNKNOWN(&value))
        return E_FAIL;
    IPersistStream* persist = nullptr;
    if (FAILED(V_UNKNOWN(&value)->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist))))
        return E_FAIL;
    HRESULT hr = S_OK;
    if (persist != static_cast<IPersistStream*>(blob)) {
        IStream* stream = nullptr;
        hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        if (SUCCEEDED(hr))
            hr = persist->Save(stream, FALSE);
        if (SUCCEEDED(hr)) {
            const LARGE_INTEGER start = {};
            hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
        }
        if (SUCCEEDED(hr))
            hr = blob->Load(stream);
        ReleaseField(stream);
    }
    persist->Release();
    return hr;
}

// A stream over a copy of the blob's data, freed with the stream.
HRESULT OpenData(const CPersistHGlobal& blob, IStream** out)
{
    DWORD count = 0;
    if (!blob.DataCount(&count))
        return E_FAIL;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, count ? count : 1);
    if (!copy)
        return E_OUTOFMEMORY;
    const BYTE* source = static_cast<const BYTE*>(GlobalLock(blob.GetHGlobal()));
    BYTE* target = static_cast<BYTE*>(GlobalLock(copy));
    if (source && target && count)
        CopyMemory(target, source + sizeof(DWORD), count);
    if (source)
        GlobalUnlock(blob.GetHGlobal());
    if (target)
        GlobalUnlock(copy);
    if (!source || !target) {
        GlobalFree(copy);
        return E_OUTOFMEMORY;
    }
    HRESULT hr = CreateStreamOnHGlobal(copy, TRUE, out);
    if (FAILED(hr)) {
        GlobalFree(copy);
        return hr;
    }
    ULARGE_INTEGER size;
    size.QuadPart = count;
    return (*out)->SetSize(size);
}

} // namespace

HRESULT SaveObjectToPropertyBag(PersistableCollection& object, IPropertyBag* bag, LPCOLESTR name, LONG flags)
{
    if (!bag || !name)
        return E_POINTER;
    try {
        if (object.ItemCount() < 1)
            return S_OK;
        IStream* stream = nullptr;
        HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        if (FAILED(hr))
            return hr;
        hr = object.Save(stream, flags);
        CPersistHGlobal* blob = nullptr;
        if (SUCCEEDED(hr))
            hr = WrapStream(stream, &blob);
        stream->Release();
        if (FAILED(hr))
            return hr;
        VARIANT value;
        VariantInit(&value);
        V_VT(&value) = VT_UNKNOWN;
        V_UNKNOWN(&value) = static_cast<IPersistStream*>(blob);
        // The bag may keep the object; it keeps its block with it.
        hr = bag->Write(name, &value);
        blob->Release();
        return FAILED(hr) ? hr : S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT LoadObjectFromPropertyBag(PersistableCollection& object, IPropertyBag* bag, IErrorLog* log,
                                  LPCOLESTR name, LONG flags)
{
    if (!bag || !name)
        return E_POINTER;
    try {
        CPersistHGlobal* blob = CPersistHGlobal::Create(nullptr);
        if (!blob)
            return E_OUTOFMEMORY;
        VARIANT value;
        VariantInit(&value);
        V_VT(&value) = VT_UNKNOWN;
        V_UNKNOWN(&value) = static_cast<IPersistStream*>(blob);
        // The value holds a reference of its own on our object: a bag that
        // loads it leaves it in place, a bag that clears the value first and
        // answers with its own object releases ours and hands over one to
        // its own. Either way clearing the value afterwards is balanced.
        blob->AddRef();
        HRESULT hr = bag->Read(name, &value, log);
        if (SUCCEEDED(hr))
            hr = TakeAnswer(blob, value);
        else
            hr = E_FAIL;
        VariantClear(&value);
        IStream* data = nullptr;
        if (SUCCEEDED(hr))
            hr = OpenData(*blob, &data);
        blob->Release();
        if (FAILED(hr))
            return hr == E_OUTOFMEMORY ? hr : E_FAIL;
        hr = object.Load(data, flags);
        data->Release();
        return FAILED(hr) ? hr : S_OK;
    } catch (...) {
        return E_FAIL;
    }
}
