// TestControl: a small control on the framework's control base, for tests
// of the embedding, the stock events and the container. It paints itself in
// its own colour, keeps a few bytes of its own state, records which of its
// virtual operations the framework called, and offers a hand-made IDispatch
// through which a container in another module can make it fire events.
#pragma once

#include "ControlBase.h"
#include "PropertyBagObject.h"
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

    // The container's calls that the interface log records, each passed on
    // to the control base.
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP InitNew() override;
    using CControlBase::InitNew;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    // "SetClientSite=0", "DoVerb(-5)=0", ...: the recorded calls with
    // their results (hexadecimal when they failed).
    const std::vector<std::string>& InterfaceCalls() const { return interfaceCalls_; }

    // The virtual operations the framework called, in order, e.g.
    // "InPlaceActivate(-5)".
    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    COLORREF PaintColour() const { return colour_; }
    const BYTE* State() const { return state_; }
    StockEventSink* Sink() { return GetStockEventSink(); }

    // Records the verb, then activates in place as the framework does, or
    // answers the settings' result when they ask for a stand-in.
    HRESULT InPlaceActivate(LONG verb) override;
    void SetModalState(bool modal) override;

    // Makes the control behave as active in window (or windowless with
    // site) at position, without asking any container.
    void SimulateInPlaceActive(HWND window, IOleInPlaceSite* site, const RECT& position, bool windowless);
    void EndSimulatedInPlace();

    // The messages the control's handler received, in order (reflected
    // notifications included), and the windows it saw created and destroyed.
    const std::vector<UINT>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    void SetPaintColour(COLORREF colour) { colour_ = colour; }
    void SetState(const BYTE* state);
    // What the last OnDraw was given; the paint clip as it stood then.
    struct DrawCall {
        int count = 0;
        DWORD aspect = 0;
        RECTL bounds = {};
        bool windowBounds = false;
        HDC target = nullptr;
        int targetTechnology = -1;   // GetDeviceCaps(TECHNOLOGY), -1 without target
        BOOL optimize = FALSE;
        RECT paintClip = {};
    };
    const DrawCall& LastDraw() const { return lastDraw_; }

    // What the control had when quick activation reached its last step.
    struct QuickActivation {
        int count = 0;
        bool clientSite = false;
        int eventSinks = 0;
        int propertySinks = 0;
        bool viewSink = false;
        LCID locale = 0;
        DWORD ambientFlags = 0;
        DWORD viewStatus = 0;
    };
    const QuickActivation& LastQuickActivation() const { return lastQuick_; }
    // The answer of the control's last quick-activation step.
    void SetQuickActivateResult(HRESULT result) { quickResult_ = result; }

    // The framework's standard part of a stream load alone.
    HRESULT LoadStandardState(IStream* stream) { return LoadStandardBinaryState(stream); }

protected:
    void AmbientPropertyChanged(DISPID dispid) override;
    HRESULT DoCustomVerb(LONG verb) override;
    BOOL OnSetExtent(const SIZE& proposed) override;
    HRESULT InitializeNewState() override;
    HRESULT OnSetClientSite() override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                   BOOL optimize) override;
    HRESULT OnQuickActivate(QACONTAINER* container, DWORD* viewStatus) override;
    // The stream set in the private clipboard format: eight state bytes.
    HRESULT OnSetData(IStream* stream) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL RegisterClassData() override;
    BOOL BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, wchar_t* title) override;
    BOOL AfterCreateWindow() override;
    void BeforeDestroyWindow() override;
    // Own state: the paint colour and the eight state bytes; in a property
    // bag "Colour" and the bytes as one binary entry "State".
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;

private:
    class Gate;
    class StateBlob;

    TestControl(IUnknown* outer);
    ~TestControl() override;

    HRESULT FireFromInvoke(DISPID dispid, DISPPARAMS* params, VARIANT* result);
    HRESULT Record(const std::string& call, HRESULT result);

    std::vector<std::string> calls_;
    std::vector<UINT> messages_;
    std::vector<std::string> interfaceCalls_;
    COLORREF colour_;
    BYTE state_[8];
    Gate* sink_ = nullptr;
    DrawCall lastDraw_;
    QuickActivation lastQuick_;
    HRESULT quickResult_ = S_OK;
};
