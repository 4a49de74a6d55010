// DispatchObject: the common COM face of a server's automation objects: one
// reference count that keeps the module loaded, IDispatch through the
// interface's own type information (names matched without regard to case,
// failures turned into EXCEPINFO from the error info), and
// ISupportErrorInfo.
#pragma once

#include "ServerModule.h"

#include <oaidl.h>

#include <string>

namespace hv::comserver {

template <class Interface>
class DispatchObject : public Interface, public ISupportErrorInfo {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface))
            *out = static_cast<Interface*>(this);
        else if (iid == IID_ISupportErrorInfo)
            *out = static_cast<ISupportErrorInfo*>(this);
        else
            return QueryOther(iid, out);
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

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        return index != 0 ? DISP_E_BADINDEX : ServerModule::TypeInfoOf(__uuidof(Interface), info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* info = nullptr;
        HRESULT hr = ServerModule::TypeInfoOf(__uuidof(Interface), &info);
        if (SUCCEEDED(hr)) {
            hr = info->GetIDsOfNames(names, count, ids);
            info->Release();
        }
        return hr;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* info = nullptr;
        HRESULT hr = ServerModule::TypeInfoOf(__uuidof(Interface), &info);
        if (FAILED(hr))
            return hr;
        SetErrorInfo(0, nullptr);
        hr = info->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception, argumentError);
        info->Release();
        return hr;
    }

    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override
    {
        return iid == __uuidof(Interface) ? S_OK : S_FALSE;
    }

protected:
    DispatchObject() { ServerModule::Lock(); }
    virtual ~DispatchObject() { ServerModule::Unlock(); }

    // Interfaces beyond the dispatch interface; out is null on entry.
    virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

private:
    LONG refs_ = 1;
};

// Sets the calling thread's error info (source, description) for `iid`;
// returns hr.
HRESULT RaiseError(HRESULT hr, REFIID iid, const wchar_t* source, const std::wstring& description);

} // namespace hv::comserver
