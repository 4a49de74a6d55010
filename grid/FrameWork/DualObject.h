// CDualObject: an automation object that implements one dual interface of
// the type library and ISupportErrorInfo on the CAutomationObject base.
#pragma once

#include "AutomationObject.h"

// TInterface is the object's dual interface (placed first, so that the
// interface pointer is the object's address); its own identifier is the
// IID of the object type's record. Derived classes implement the
// interface's own members.
template <class TInterface>
class CDualObject : public TInterface, public CAutomationObject, public ISupportErrorInfo {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return CAutomationObject::GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override
    {
        return CAutomationObject::GetTypeInfo(index, locale, typeInfo);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override
    {
        return CAutomationObject::GetIDsOfNames(iid, names, count, locale, dispids);
    }
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        return CAutomationObject::Invoke(dispid, iid, locale, flags, params, result, exception, argumentError);
    }

    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override
    {
        return CAutomationObject::InterfaceSupportsErrorInfo(iid);
    }

    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        const IID* own = Info().iid;
        if (own && IsEqualIID(iid, *own)) {
            *out = static_cast<TInterface*>(this);
        } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            return CAutomationObject::InternalQueryInterface(iid, out);
        }
        CUnknownObject::AddRef();
        return S_OK;
    }

    TInterface* Interface() { return static_cast<TInterface*>(this); }

protected:
    CDualObject(IUnknown* outer, int objectType)
        : CAutomationObject(outer, objectType, static_cast<TInterface*>(this))
    {
    }
};
