// ControlSite: the site of one hosted control: client site, control site,
// in-place site (plain, Ex and windowless, as the options offer them),
// advise sink for view and data changes, property-notification sink, and
// the ambient properties through its IDispatch. Every call the control
// makes on it is logged.
#pragma once

#include "AmbientProperties.h"
#include "CallLog.h"
#include "InPlaceFrame.h"
#include "SiteBindHost.h"

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <string>
#include <vector>

namespace hv::container {

// What the site offers its control; a test changes these per case.
struct SiteOptions {
    bool offerInPlaceSiteEx = true;
    bool offerWindowless = false;
    HRESULT canInPlaceActivate = S_OK;
    HRESULT canWindowlessActivate = S_OK;
    // The answer to IOleControlSite::ShowPropertyFrame (E_NOTIMPL lets the
    // control show its own frame).
    HRESULT showPropertyFrame = E_NOTIMPL;
    HRESULT saveObject = S_OK;
    // The answer to GetWindowContext.
    HRESULT getWindowContext = S_OK;
    // The clip rectangle GetWindowContext gives; an empty one stands for
    // the container window's client area.
    RECT clip = {};
    // Whether the site offers a bind host (IServiceProvider with
    // SID_SBindHost, and IBindHost itself), as a container that downloads
    // for its controls does; a plain form offers none. bindHostBaseUrl is
    // the URL that relative names are resolved against (empty: none).
    bool offerBindHost = false;
    std::wstring bindHostBaseUrl;
};

class ControlSite final : public IOleClientSite,
                          public IOleControlSite,
                          public IOleInPlaceSiteWindowless,
                          public IAdviseSinkEx,
                          public IPropertyNotifySink,
                          public IDispatch {
public:
    // window: the container window the control lives in (not owned).
    // position: the control's place in it, in pixels.
    static ControlSite* Create(HWND window, const RECT& position, const SiteOptions& options);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL lock) override;
    STDMETHODIMP GetExtendedControl(IDispatch** control) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG* message, DWORD modifiers) override;
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IOleWindow, IOleInPlaceSite, IOleInPlaceSiteEx, IOleInPlaceSiteWindowless
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL noRedraw) override;
    STDMETHODIMP RequestUIActivate() override;
    STDMETHODIMP CanWindowlessActivate() override;
    STDMETHODIMP GetCapture() override;
    STDMETHODIMP SetCapture(BOOL capture) override;
    STDMETHODIMP GetFocus() override;
    STDMETHODIMP SetFocus(BOOL focus) override;
    STDMETHODIMP GetDC(LPCRECT rectangle, DWORD flags, HDC* dc) override;
    STDMETHODIMP ReleaseDC(HDC dc) override;
    STDMETHODIMP InvalidateRect(LPCRECT rectangle, BOOL erase) override;
    STDMETHODIMP InvalidateRgn(HRGN region, BOOL erase) override;
    STDMETHODIMP ScrollRect(INT dx, INT dy, LPCRECT scroll, LPCRECT clip) override;
    STDMETHODIMP AdjustRect(LPRECT rectangle) override;
    STDMETHODIMP OnDefWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // IAdviseSink
    STDMETHODIMP_(void) OnDataChange(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG index) override;
    STDMETHODIMP_(void) OnRename(IMoniker* moniker) override;
    STDMETHODIMP_(void) OnSave() override;
    STDMETHODIMP_(void) OnClose() override;
    // IAdviseSinkEx
    STDMETHODIMP_(void) OnViewStatusChange(DWORD status) override;

    // IPropertyNotifySink
    STDMETHODIMP OnChanged(DISPID dispid) override;
    STDMETHODIMP OnRequestEdit(DISPID dispid) override;

    // IDispatch: the ambient properties.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    CallLog& Log() { return log_; }
    AmbientProperties& Ambients() { return ambients_; }
    SiteOptions& Options() { return options_; }
    InPlaceFrame* Frame() const { return frame_; }
    const RECT& Position() const { return position_; }
    void SetPosition(const RECT& position) { position_ = position; }
    HWND Window() const { return window_; }
    // The container window arrives (or changes) after the site was made.
    void SetWindow(HWND window) { window_ = window; }

    // Called inside OnPosRectChange, before the site takes the new place.
    std::function<void(const RECT&)> onPosRectChange;

    bool InPlaceActive() const { return inPlaceActive_; }
    bool UIActive() const { return uiActive_; }
    bool HasFocus() const { return focus_; }
    bool HasCapture() const { return capture_; }
    int DataChanges() const { return dataChanges_; }
    int ViewChanges() const { return viewChanges_; }
    const std::vector<DISPID>& ChangedProperties() const { return changed_; }

private:
    ControlSite(HWND window, const RECT& position, const SiteOptions& options);
    ~ControlSite();

    ULONG refs_ = 1;
    HWND window_;
    RECT position_;
    SiteOptions options_;
    CallLog log_;
    AmbientProperties ambients_;
    InPlaceFrame* frame_ = nullptr;   // held
    SiteBindHost bindHost_{*static_cast<IOleClientSite*>(this), log_, options_.bindHostBaseUrl};
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool focus_ = false;
    bool capture_ = false;
    int dataChanges_ = 0;
    int viewChanges_ = 0;
    std::vector<DISPID> changed_;
};

} // namespace hv::container
