// CBindStatusCallback: the callback of one asynchronous URL download of a
// control. It keeps the control alive until the binding stops, passes each
// progress notice and each new piece of data to the control with the
// download's tag, and reads the data from the stream the URL library hands
// it with the first data notice.
#pragma once

#include <windows.h>
#include <urlmon.h>

class CControlBase;

class CBindStatusCallback final : public IBindStatusCallback
{
public:
    // One reference, held by the caller; the control is held until
    // OnStopBinding.
    CBindStatusCallback(CControlBase* control, DWORD tag);
    CBindStatusCallback(const CBindStatusCallback&) = delete;
    CBindStatusCallback& operator=(const CBindStatusCallback&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP OnStartBinding(DWORD reserved, IBinding* binding) override;
    STDMETHODIMP GetPriority(LONG* priority) override;
    STDMETHODIMP OnLowResource(DWORD reserved) override;
    STDMETHODIMP OnProgress(ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText) override;
    STDMETHODIMP OnStopBinding(HRESULT result, LPCWSTR error) override;
    STDMETHODIMP GetBindInfo(DWORD* flags, BINDINFO* info) override;
    STDMETHODIMP OnDataAvailable(DWORD flags, DWORD totalSize, FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP OnObjectAvailable(REFIID iid, IUnknown* object) override;

    DWORD BytesDelivered() const { return m_delivered; }

private:
    ~CBindStatusCallback();
    HRESULT ReadNewBytes(DWORD flags, DWORD count);

    CControlBase* m_control;  // counted until OnStopBinding
    DWORD m_tag;
    IBinding* m_binding = nullptr;
    LONG m_references = 1;
    DWORD m_delivered = 0;
    IStream* m_stream = nullptr;
};
