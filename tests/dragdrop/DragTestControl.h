// DragTestControl: a small control on the framework's control base that
// owns an OleDragDrop the way the grid does (drop supported, no automatic
// modes), for tests of drag sources and drop targets.
#pragma once

#include "ControlBase.h"
#include "OleDragDrop.h"

#include <memory>

class DragTestControl final : public IDispatch, public CControlBase {
public:
    // The new control with one reference on its non-delegating unknown.
    static DragTestControl* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    STDMETHODIMP SetClientSite(IOleClientSite* site) override;

    OleDragDrop& DragDrop() { return *dragDrop_; }

    // Gives the control a window of its own inside parent, as in-place
    // activation would, and registers the drop target as the window's
    // creation does; TakeWindowAway undoes both.
    void GiveWindow(HWND parent, const RECT& position);
    void TakeWindowAway();

protected:
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                   BOOL optimize) override;

private:
    DragTestControl();
    ~DragTestControl() override;

    std::unique_ptr<OleDragDrop> dragDrop_;
};
