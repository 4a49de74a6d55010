// SheetObject: the common COM face of the application's objects: one
// reference count that keeps the module loaded, IDispatch through the
// interface's type information, ISupportErrorInfo, and Run, which turns
// every failure of a member's body into an automation error. Each object
// shares the session, which ends with the last object.
#pragma once

#include "Arguments.h"
#include "ServerModule.h"

#include "../SheetError.h"
#include "../SpreadsheetSession.h"

#include <HvSpreadsheet.h>

#include <memory>
#include <new>

namespace hv::sheet::server {

using Session = std::shared_ptr<SpreadsheetSession>;

// Sets the calling thread's error info for `iid`; returns hr.
HRESULT RaiseError(HRESULT hr, REFIID iid, const std::wstring& description);

template <class Interface>
class SheetObject : public Interface, public ISupportErrorInfo {
public:
    SheetObject(const SheetObject&) = delete;
    SheetObject& operator=(const SheetObject&) = delete;

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
    explicit SheetObject(Session session) : session_(std::move(session)) { ServerModule::Lock(); }
    virtual ~SheetObject() { ServerModule::Unlock(); }

    // Interfaces beyond the dispatch interface; out is null on entry.
    virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

    // Runs a member's body: S_OK when it returns, an automation error when
    // it throws.
    template <class Body>
    HRESULT Run(Body&& body) noexcept
    {
        try {
            body();
            return S_OK;
        } catch (const Failure& f) {
            return RaiseError(f.hr, __uuidof(Interface), f.text);
        } catch (const SheetError& e) {
            return RaiseError(kSheetFailure, __uuidof(Interface), e.Text());
        } catch (const std::bad_alloc&) {
            return RaiseError(E_OUTOFMEMORY, __uuidof(Interface), L"There is not enough memory.");
        } catch (...) {
            return RaiseError(E_UNEXPECTED, __uuidof(Interface), L"The operation failed.");
        }
    }
    // Runs a body that fills an out-pointer, which must not be null.
    template <class Out, class Body>
    HRESULT Get(Out* out, Body&& body) noexcept
    {
        if (!out)
            return E_POINTER;
        if constexpr (std::is_same_v<Out, VARIANT>)
            VariantInit(out);
        else
            *out = Out{};
        return Run([&] { body(*out); });
    }

    Session session_;

private:
    LONG refs_ = 1;
};

// Hands a new object out as IDispatch (the caller owns the reference).
template <class T, class... Args>
IDispatch* NewObject(Args&&... args)
{
    T* object = new T(std::forward<Args>(args)...);
    return static_cast<IDispatch*>(static_cast<typename T::InterfaceType*>(object));
}

} // namespace hv::sheet::server
