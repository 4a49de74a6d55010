// Fixtures of the value, stream and event tests.
#include "FrameworkFixtures.h"

ComPtr<IStream> MakeStream(const std::vector<BYTE>& bytes)
{
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return nullptr;
    if (!bytes.empty()) {
        ULONG written = 0;
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    }
    Rewind(stream.Get());
    return stream;
}

void Rewind(IStream* stream)
{
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
}

std::vector<BYTE> StreamBytes(IStream* stream)
{
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    LARGE_INTEGER zero = {};
    ULARGE_INTEGER position = {};
    stream->Seek(zero, STREAM_SEEK_CUR, &position);
    Rewind(stream);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    LARGE_INTEGER back = {};
    back.QuadPart = static_cast<LONGLONG>(position.QuadPart);
    stream->Seek(back, STREAM_SEEK_SET, nullptr);
    return bytes;
}

ULONG RefCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

MemoryPropertyBag::~MemoryPropertyBag()
{
    for (auto& entry : m_values)
        VariantClear(&entry.second);
}

STDMETHODIMP MemoryPropertyBag::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IPropertyBag) {
        *out = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    const auto found = m_values.find(name);
    if (found == m_values.end())
        return E_INVALIDARG;
    const VARTYPE wanted = value->vt;
    VariantInit(value);
    if (wanted == VT_EMPTY)
        return VariantCopy(value, &found->second);
    return VariantChangeType(value, &found->second, 0, wanted);
}

STDMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value)
{
    VARIANT copy;
    VariantInit(&copy);
    const HRESULT hr = VariantCopy(&copy, value);
    if (FAILED(hr))
        return hr;
    auto& slot = m_values[name];
    VariantClear(&slot);
    slot = copy;
    return S_OK;
}

STDMETHODIMP RecordingSink::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
    } else if (iid == IID_IPropertyNotifySink && m_answersPropertyNotify) {
        *out = static_cast<IPropertyNotifySink*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP RecordingSink::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

STDMETHODIMP RecordingSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    invoked.push_back(id);
    return onInvoke ? onInvoke(id, params) : S_OK;
}

STDMETHODIMP RecordingSink::OnChanged(DISPID id)
{
    changed.push_back(id);
    return S_OK;
}
