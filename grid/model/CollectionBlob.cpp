// CollectionBlob: the memory-block persistence object of property-bag entries.
#include "CollectionBlob.h"

#include <new>

namespace {

// {0E4A1C57-3B9D-4F28-A6E3-5D71C08B2F46}
const CLSID kBlobClassId = {0x0e4a1c57, 0x3b9d, 0x4f28, {0xa6, 0xe3, 0x5d, 0x71, 0xc0, 0x8b, 0x2f, 0x46}};

constexpr DWORD kMaxBlobBytes = 0x10000000;

} // namespace

CollectionBlob* CollectionBlob::Create(HGLOBAL block)
{
    return new (std::nothrow) CollectionBlob(block);
}

CollectionBlob::~CollectionBlob()
{
    if (block_)
        GlobalFree(block_);
}

STDMETHODIMP CollectionBlob::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStream)) {
        *out = static_cast<IPersistStream*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CollectionBlob::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) CollectionBlob::Release()
{
    const LONG remaining = InterlockedDecrement(&refs_);
    if (remaining == 0)
        delete this;
    return static_cast<ULONG>(remaining);
}

STDMETHODIMP CollectionBlob::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = kBlobClassId;
    return S_OK;
}

STDMETHODIMP CollectionBlob::Load(IStream* stream)
{
    if (!stream)
        return E_INVALIDARG;
    DWORD count = 0;
    ULONG read = 0;
    HRESULT hr = stream->Read(&count, 4, &read);
    if (FAILED(hr))
        return hr;
    if (read != 4 || count > kMaxBlobBytes)
        return E_FAIL;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, count + 4);
    if (!block)
        return E_OUTOFMEMORY;
    BYTE* bytes = static_cast<BYTE*>(GlobalLock(block));
    CopyMemory(bytes, &count, 4);
    read = 0;
    hr = count ? stream->Read(bytes + 4, count, &read) : S_OK;
    GlobalUnlock(block);
    if (FAILED(hr) || read != count) {
        GlobalFree(block);
        return FAILED(hr) ? hr : E_FAIL;
    }
    if (block_)
        GlobalFree(block_);
    block_ = block;
    return S_OK;
}

STDMETHODIMP CollectionBlob::Save(IStream* stream, BOOL)
{
    if (!stream)
        return E_INVALIDARG;
    DWORD empty = 0;
    if (!block_)
        return stream->Write(&empty, 4, nullptr);
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(block_));
    if (!bytes)
        return E_OUTOFMEMORY;
    DWORD count = 0;
    CopyMemory(&count, bytes, 4);
    ULONG written = 0;
    HRESULT hr = stream->Write(bytes, count + 4, &written);
    GlobalUnlock(block_);
    if (FAILED(hr))
        return hr;
    return written == count + 4 ? S_OK : E_FAIL;
}

STDMETHODIMP CollectionBlob::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    DWORD count = 0;
    if (block_) {
        const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(block_));
        if (bytes)
            CopyMemory(&count, bytes, 4);
        GlobalUnlock(block_);
    }
    size->QuadPart = static_cast<ULONGLONG>(count) + 4;
    return S_OK;
}

HRESULT CollectionBlob::WrapStream(IStream* stream, CollectionBlob** out)
{
    *out = nullptr;
    HGLOBAL source = nullptr;
    HRESULT hr = GetHGlobalFromStream(stream, &source);
    if (FAILED(hr))
        return hr;
    const DWORD count = static_cast<DWORD>(GlobalSize(source));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, count + 4);
    if (!block)
        return E_OUTOFMEMORY;
    BYTE* bytes = static_cast<BYTE*>(GlobalLock(block));
    const BYTE* data = static_cast<const BYTE*>(GlobalLock(source));
    CopyMemory(bytes, &count, 4);
    if (count && data)
        CopyMemory(bytes + 4, data, count);
    GlobalUnlock(source);
    GlobalUnlock(block);
    *out = Create(block);
    if (!*out) {
        GlobalFree(block);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CollectionBlob::OpenData(IStream** out) const
{
    *out = nullptr;
    const SIZE_T size = GlobalSize(block_);
    if (size < 4)
        return E_FAIL;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size - 4 ? size - 4 : 1);
    if (!copy)
        return E_OUTOFMEMORY;
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(block_));
    BYTE* target = static_cast<BYTE*>(GlobalLock(copy));
    if (size > 4)
        CopyMemory(target, bytes + 4, size - 4);
    GlobalUnlock(copy);
    GlobalUnlock(block_);
    HRESULT hr = CreateStreamOnHGlobal(copy, TRUE, out);
    if (FAILED(hr)) {
        GlobalFree(copy);
        return hr;
    }
    // The stream's size is that of the block; the data may be shorter.
    ULARGE_INTEGER length;
    length.QuadPart = size - 4;
    (*out)->SetSize(length);
    return S_OK;
}

HRESULT CollectionBlob::TakeAnswer(const VARIANT& value)
{
    if (V_VT(&value) != VT_UNKNOWN && V_VT(&value) != VT_DISPATCH)
        return E_FAIL;
    IUnknown* answer = V_UNKNOWN(&value);
    if (!answer)
        return E_FAIL;
    IPersistStream* persist = nullptr;
    if (FAILED(answer->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist))))
        return E_FAIL;
    HRESULT hr = S_OK;
    if (persist != static_cast<IPersistStream*>(this)) {
        IStream* stream = nullptr;
        hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        if (SUCCEEDED(hr))
            hr = persist->Save(stream, FALSE);
        if (SUCCEEDED(hr)) {
            LARGE_INTEGER zero = {};
            stream->Seek(zero, STREAM_SEEK_SET, nullptr);
            hr = Load(stream);
        }
        if (stream)
            stream->Release();
    }
    persist->Release();
    return hr;
}
