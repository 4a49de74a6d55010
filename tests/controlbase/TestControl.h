// TestControl: a small control on the framework's control base, for tests
// of the embedding, the stock events and the container. It paints itself in
// its own colour, keeps a few bytes of its own state, records which of its
// virtual operations the framework called, and offers a hand-made IDispatch
// through which a container in another module can make it fire events.
#pragma once

#include "ControlBase.h"
#include "TestControlSettings.h"

#include <string>
#include <vector>

extern "C" const CLSID CLSID_HvTestControl;

// The settings of the module's test controls.
TestControlSettings& TestSettings();

// Makes the control's object-info record (entry 0 of the table) describe
// the test control: its creation function, and the settings' windowless and
// reflector flags. clsid and name, when given, replace the record's class
// identifier and name (a test library registers the control under its own).
void UseTestControlRecord(const CLSID* clsid = nullptr, const char* name = nullptr);

class TestControl final : public IDispatch, public CControlBase {
public:
    // The new control with one reference on its non-delegating unknown.
    static IUnknown* Create(IUnknown* outer);
    // The test control behind an interface of it, or null.
    static TestControl* From(IUnknown* control);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // The virtual operations the framework called, in order, e.g.
    // "InPlaceActivate(-5)".
    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    COLORREF PaintColour() const { return colour_; }
    const BYTE* State() const { return state_; }
    StockEventSink* Sink() { return GetStockEventSink(); }

    // Stands in for in-place activation, which the framework leaves to a
    // later layer: the control behaves as active in window (or windowless
    // with site) at position.
    HRESULT InPlaceActivate(LONG verb) override;
    void SetModalState(bool modal) override;

    void SimulateInPlaceActive(HWND window, IOleInPlaceSite* site, const RECT& position, bool windowless);
    void EndSimulatedInPlace();

protected:
    void AmbientPropertyChanged(DISPID dispid) override;
    HRESULT DoCustomVerb(LONG verb) override;
    BOOL OnSetExtent(const SIZE& proposed) override;
    HRESULT InitializeNewState() override;
    HRESULT OnSetClientSite() override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                   BOOL optimize) override;

private:
    class Gate;

    TestControl(IUnknown* outer);
    ~TestControl() override;

    HRESULT FireFromInvoke(DISPID dispid, DISPPARAMS* params, VARIANT* result);

    std::vector<std::string> calls_;
    COLORREF colour_;
    BYTE state_[8];
    Gate* sink_ = nullptr;
};
