// The callback of one URL download of a control.
#include "BindStatusCallback.h"

#include "ControlBase.h"
#include "ReleaseField.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The part of BINDINFO after its size that a download resets: extra
// information, medium, bind flags, verb and custom verb (28 bytes in 32-bit
// code, alignment padding included in 64-bit code).
constexpr size_t kClearedBindInfoStart = offsetof(BINDINFO, szExtraInfo);
constexpr size_t kClearedBindInfoEnd = offsetof(BINDINFO, cbstgmedData);

} // namespace

CBindStatusCallback::CBindStatusCallback(CControlBase* control, DWORD tag) : m_control(control), m_tag(tag)
{
    if (m_control)
        m_control->CUnknownObject::AddRef();
}

CBindStatusCallback::~CBindStatusCallback()
{
    if (m_control)
        m_control->CUnknownObject::Release();
    ReleaseField(m_binding);
    ReleaseField(m_stream);
}

STDMETHODIMP CBindStatusCallback::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IBindStatusCallback) {
        *out = static_cast<IBindStatusCallback*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CBindStatusCallback::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CBindStatusCallback::Release()
{
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP CBindStatusCallback::OnStartBinding(DWORD, IBinding* binding)
{
    if (binding)
        binding->AddRef();
    ReleaseField(m_binding);
    m_binding = binding;
    return S_OK;
}

STDMETHODIMP CBindStatusCallback::GetPriority(LONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBindStatusCallback::OnLowResource(DWORD)
{
    if (m_binding)
        m_binding->Abort();
    return S_OK;
}

STDMETHODIMP CBindStatusCallback::OnProgress(ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText)
{
    if (!m_control)
        return S_OK;
    try {
        return m_control->OnUrlProgress(m_tag, progress, maximum, statusCode, statusText);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CBindStatusCallback::OnStopBinding(HRESULT result, LPCWSTR)
{
    ReleaseField(m_binding);
    ReleaseField(m_stream);
    if (CControlBase* control = m_control) {
        m_control = nullptr;
        // The control hears of the end while this callback still holds it.
        try {
            control->OnUrlStop(m_tag, result);
        } catch (...) {
        }
        control->CUnknownObject::Release();
    }
    return S_OK;
}

STDMETHODIMP CBindStatusCallback::GetBindInfo(DWORD* flags, BINDINFO* info)
{
    if (!flags || !info)
        return E_INVALIDARG;
    *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE;
    // Only what the caller's structure holds is cleared; its size stays.
    const size_t size = info->cbSize;
    const size_t end = size < kClearedBindInfoEnd ? size : kClearedBindInfoEnd;
    if (end > kClearedBindInfoStart)
        std::memset(reinterpret_cast<BYTE*>(info) + kClearedBindInfoStart, 0, end - kClearedBindInfoStart);
    return S_OK;
}

STDMETHODIMP CBindStatusCallback::OnDataAvailable(DWORD flags, DWORD totalSize, FORMATETC*, STGMEDIUM* medium)
{
    if ((flags & BSCF_FIRSTDATANOTIFICATION) && !m_stream && medium && medium->tymed == TYMED_ISTREAM &&
        medium->pstm) {
        m_stream = medium->pstm;
        m_stream->AddRef();
    }
    HRESULT result = S_OK;
    // A total below what was delivered (a size the library does not know)
    // brings nothing new.
    if (m_stream && totalSize > m_delivered)
        result = ReadNewBytes(flags, totalSize - m_delivered);
    if (flags & BSCF_LASTDATANOTIFICATION)
        ReleaseField(m_stream);
    return result;
}

// Reads up to count bytes and hands what came to the control with a zero
// byte after it. A short read is continued, so that nothing is left in the
// stream when the last notice releases it.
HRESULT CBindStatusCallback::ReadNewBytes(DWORD flags, DWORD count)
{
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[static_cast<size_t>(count) + 1]);
    if (!buffer)
        return S_FALSE;
    HRESULT result = S_OK;
    DWORD filled = 0;
    while (filled < count) {
        ULONG read = 0;
        result = m_stream->Read(buffer.get() + filled, count - filled, &read);
        if (FAILED(result) || read == 0)
            break;
        filled += read;
    }
    if (filled == 0)
        return result;
    buffer[filled] = 0;
    m_delivered += filled;
    if (m_control) {
        try {
            m_control->OnUrlDataAvailable(m_tag, flags, buffer.get(), filled);
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
    return result;
}

STDMETHODIMP CBindStatusCallback::OnObjectAvailable(REFIID, IUnknown*)
{
    return E_NOTIMPL;
}
