// Rendering of text, file lists, bytes and objects into storage media.
#include "DataRenderers.h"

#include "ClipboardFormats.h"
#include "DragDropScopes.h"
#include "HvDataObjectFiles.h"

#include <shlobj.h>

#include <cstring>
#include <new>
#include <string>

namespace {

std::string ToAnsi(const wchar_t* text, UINT length)
{
    if (!text || length == 0)
        return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string result(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), result.data(), bytes, nullptr, nullptr);
    return result;
}

// The release object of a stream medium holding a marshalled object. The
// object stays referenced by the marshal data until someone unmarshals it;
// a receiver that releases the medium unread leaves the stream at its
// start, and the data is then released here.
class MarshalDataRelease final : public IUnknown {
public:
    explicit MarshalDataRelease(IStream* stream) : stream_(stream) { stream_->AddRef(); }
    MarshalDataRelease(const MarshalDataRelease&) = delete;
    MarshalDataRelease& operator=(const MarshalDataRelease&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid != IID_IUnknown) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

private:
    ~MarshalDataRelease()
    {
        LARGE_INTEGER none = {};
        ULARGE_INTEGER position = {};
        if (SUCCEEDED(stream_->Seek(none, STREAM_SEEK_CUR, &position)) && position.QuadPart == 0)
            CoReleaseMarshalData(stream_);
        stream_->Release();
    }

    IStream* stream_;
    LONG refs_ = 1;
};

void SetGlobalMedium(STGMEDIUM* medium, HGLOBAL block)
{
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
}

} // namespace

HRESULT CheckRenderRequest(const VARIANT* stored, const FORMATETC* request, const STGMEDIUM* medium,
                           CLIPFORMAT requiredFormat, DWORD requiredMedium, VARTYPE requiredType)
{
    if (!stored || !request || !medium)
        return E_INVALIDARG;
    if (requiredFormat != 0 && request->cfFormat != requiredFormat &&
        !(requiredFormat == CF_TEXT && IsTextFormat(request->cfFormat)))
        return E_UNEXPECTED;
    if (!(request->tymed & requiredMedium))
        return E_UNEXPECTED;
    if (stored->vt != requiredType)
        return E_UNEXPECTED;
    return S_OK;
}

HRESULT WriteTextToGlobal(BSTR text, HGLOBAL block)
{
    const SIZE_T size = block ? GlobalSize(block) : 0;
    if (size < 2)
        return STG_E_MEDIUMFULL;
    GlobalLockScope lock(block);
    if (!lock.Data())
        return E_INVALIDARG;
    const std::string ansi = ToAnsi(text, SysStringLen(text));
    const SIZE_T fits = ansi.size() < size - 1 ? ansi.size() : size - 1;
    char* target = lock.As<char>();
    std::memcpy(target, ansi.data(), fits);
    target[fits] = '\0';
    target[size - 1] = '\0';
    return S_OK;
}

HRESULT RenderTextMedium(const VARIANT& stored, const FORMATETC& request, STGMEDIUM* medium)
{
    HRESULT hr = CheckRenderRequest(&stored, &request, medium, CF_TEXT, TYMED_HGLOBAL, VT_BSTR);
    if (FAILED(hr))
        return hr;
    GlobalBlock block(GMEM_MOVEABLE | GMEM_SHARE, 2 * SysStringLen(stored.bstrVal) + 2);
    if (!block)
        return E_OUTOFMEMORY;
    hr = WriteTextToGlobal(stored.bstrVal, block.Get());
    if (FAILED(hr))
        return hr;
    SetGlobalMedium(medium, block.Release());
    return S_OK;
}

HRESULT RenderFilesMedium(HvDataObjectFiles& files, STGMEDIUM* medium)
{
    if (!medium)
        return E_INVALIDARG;
    std::string names;
    for (LONG i = 1; i <= files.Count(); ++i) {
        BSTR name = files.At(i);
        names += ToAnsi(name, SysStringLen(name));
        names += '\0';
    }
    names += '\0';
    GlobalBlock block(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    if (!block)
        return E_OUTOFMEMORY;
    {
        GlobalLockScope lock(block.Get());
        if (!lock.Data())
            return E_OUTOFMEMORY;
        auto* header = lock.As<DROPFILES>();
        header->pFiles = sizeof(DROPFILES);
        header->pt = {0, 0};
        header->fNC = FALSE;
        header->fWide = FALSE;
        std::memcpy(lock.As<BYTE>() + sizeof(DROPFILES), names.data(), names.size());
    }
    SetGlobalMedium(medium, block.Release());
    return S_OK;
}

HRESULT RenderBytesMedium(const VARIANT& stored, const FORMATETC& request, STGMEDIUM* medium)
{
    HRESULT hr = CheckRenderRequest(&stored, &request, medium, 0, TYMED_HGLOBAL, VT_ARRAY | VT_UI1);
    if (FAILED(hr))
        return hr;
    SAFEARRAY* array = stored.parray;
    ULONG bytes = 0;
    if (array && SafeArrayGetDim(array) > 0) {
        bytes = 1;
        for (UINT d = 0; d < array->cDims; ++d)
            bytes *= array->rgsabound[d].cElements;
    }
    GlobalBlock block(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, bytes > 0 ? bytes : 1);
    if (!block)
        return E_OUTOFMEMORY;
    if (bytes > 0) {
        void* data = nullptr;
        hr = SafeArrayAccessData(array, &data);
        if (FAILED(hr))
            return hr;
        GlobalLockScope lock(block.Get());
        if (lock.Data())
            std::memcpy(lock.Data(), data, bytes);
        SafeArrayUnaccessData(array);
        if (!lock.Data())
            return E_OUTOFMEMORY;
    }
    SetGlobalMedium(medium, block.Release());
    return S_OK;
}

HRESULT RenderObjectStream(const VARIANT& stored, const FORMATETC& request, STGMEDIUM* medium)
{
    HRESULT hr = CheckRenderRequest(&stored, &request, medium, 0, TYMED_ISTREAM, VT_DISPATCH);
    if (FAILED(hr))
        return hr;
    if (!stored.pdispVal)
        return E_UNEXPECTED;
    IStream* stream = nullptr;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr))
        return hr;
    hr = CoMarshalInterface(stream, IID_IDispatch, stored.pdispVal, MSHCTX_LOCAL, nullptr, MSHLFLAGS_NORMAL);
    LARGE_INTEGER start = {};
    if (SUCCEEDED(hr))
        hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    auto* release = SUCCEEDED(hr) ? new (std::nothrow) MarshalDataRelease(stream) : nullptr;
    if (FAILED(hr) || !release) {
        if (SUCCEEDED(hr)) {
            stream->Seek(start, STREAM_SEEK_SET, nullptr);
            CoReleaseMarshalData(stream);
            hr = E_OUTOFMEMORY;
        }
        stream->Release();
        return hr;
    }
    medium->tymed = TYMED_ISTREAM;
    medium->pstm = stream;
    medium->pUnkForRelease = release;
    return S_OK;
}
