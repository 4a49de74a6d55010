// CDualObject: an automation object that implements one dual interface of
// the type library and ISupportErrorInfo on the CAutomationObject base.
#pragma once

#include "AutomationObject.h"

// TInterface is the object's dual interface (placed first, so that the
// interface pointer is the object's address); its own identifier is the
// IID of the object type's record. Derived classes implement the
// interface's own members. TBase is CAutomationObject or a class derived
// from it with the same constructor (CAutomationObjectWithEvents for objects
// that fire events).
template <class TInterface, class TBase = CAutomationObject>
class CDualObject : public TInterface, public TBase, public ISupportErrorInfo {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return this->ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return this->CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return this->CUnknownObject::Release(); }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return TBase::GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override
    {
        return TBase::GetTypeInfo(index, locale, typeInfo);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override
    {
        return TBase::GetIDsOfNames(iid, names, count, locale, dispids);
    }
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        return TBase::Invoke(dispid, iid, locale, flags, params, result, exception, argumentError);
    }

    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override
    {
        return TBase::InterfaceSupportsErrorInfo(iid);
    }

    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        const IID* own = this->Info().iid;
        if (own && IsEqualIID(iid, *own)) {
            *out = static_cast<TInterface*>(this);
        } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            return TBase::InternalQueryInterface(iid, out);
        }
        this->CUnknownObject::AddRef();
        return S_OK;
    }

    TInterface* Interface() { return static_cast<TInterface*>(this); }

protected:
    CDualObject(IUnknown* outer, int objectType)
        : TBase(outer, objectType, static_cast<TInterface*>(this))
    {
    }
};
