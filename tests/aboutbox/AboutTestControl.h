// AboutTestControl: a bare control on the framework's control base that
// records its modal-state changes, for the About box tests.
#pragma once

#include "ControlBase.h"

#include <string>
#include <vector>

class AboutTestControl final : public IDispatch, public CControlBase
{
public:
    // A new control with one reference (release with Release()).
    static AboutTestControl* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    // Every call this control saw, in order, shared with the test's display.
    std::vector<std::string>* calls = nullptr;

    void SetModalState(bool modal) override;

protected:
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                   BOOL optimize) override;

private:
    AboutTestControl();
    ~AboutTestControl() override = default;
};
