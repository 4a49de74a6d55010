// CControlEmbedding: the first layer of the control base. It carries what an
// OLE container needs to site, verb, size, show and close a control: the
// container's sites, the extent, the state and ambient flags, the ambient
// property reads, and the embedding interfaces. What is particular to one
// control is left to virtual operations that the control object fills.
#pragma once

#include "AutomationObjectWithEvents.h"

#include <ocidl.h>
#include <olectl.h>

// Identifier by which framework code recognises a control of this library:
// QueryInterface answers it with the control object itself.
extern "C" const IID IID_IHvFrameworkControl;

// State flags of a control.
namespace ControlState {
constexpr DWORD Dirty = 0x01;
constexpr DWORD InPlaceActive = 0x02;
constexpr DWORD Shown = 0x04;
constexpr DWORD UIActive = 0x08;
constexpr DWORD CreatingWindow = 0x10;
constexpr DWORD SaveDone = 0x20;
constexpr DWORD Opaque = 0x40;
constexpr DWORD WindowlessCapable = 0x80;
} // namespace ControlState

// Ambient flags of a control.
namespace AmbientState {
constexpr DWORD ContainerReflects = 0x01;
constexpr DWORD ReflectRead = 0x02;
constexpr DWORD UserModeCached = 0x04;
constexpr DWORD AdvisePrimeFirst = 0x08;
constexpr DWORD AdviseOnlyOnce = 0x10;
constexpr DWORD RegionSet = 0x20;
constexpr DWORD UserMode = 0x40;
constexpr DWORD InSetExtent = 0x80;
} // namespace AmbientState

// The property frame that DoVerb shows in design mode, replaceable so that
// no test ever shows a modal window. Same parameters as OleCreatePropertyFrame.
using PropertyFrameFunction = HRESULT(STDAPICALLTYPE*)(HWND, UINT, UINT, LPCOLESTR, ULONG, LPUNKNOWN*, ULONG,
                                                        LPCLSID, LCID, DWORD, LPVOID);
PropertyFrameFunction SetPropertyFrameFunction(PropertyFrameFunction function);

// The locale that the library uses for its resources and property frames:
// the container's ambient LocaleID once read, else the user default.
LCID LibraryLocale();
void SetLibraryLocale(LCID locale);
// The locale a container handed over itself (quick activation): it counts
// as read, so the ambient LocaleID is not asked for.
void SetLibraryLocaleFromContainer(LCID locale);

class CControlEmbedding : public CAutomationObjectWithEvents,
                          public IOleObject,
                          public IOleControl,
                          public IOleInPlaceObjectWindowless,
                          public IOleInPlaceActiveObject,
                          public IViewObjectEx,
                          public IPersistPropertyBag,
                          public IPersistStreamInit,
                          public IPersistStorage,
                          public ISpecifyPropertyPages,
                          public IProvideClassInfo,
                          public IPointerInactive,
                          public IQuickActivate
{
public:
    // IUnknown of every interface of the control goes to the object.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR application, LPCOLESTR object) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* userType) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* message) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IOleWindow, IOleInPlaceObjectWindowless, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;
    STDMETHODIMP OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    STDMETHODIMP GetDropTarget(IDropTarget** target) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;

    // IViewObject, IViewObject2, IViewObjectEx
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDevice,
                      HDC draw, LPCRECTL bounds, LPCRECTL windowBounds,
                      BOOL(STDMETHODCALLTYPE* continueDrawing)(ULONG_PTR), ULONG_PTR continueArgument) override;
    STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                             HDC targetDevice, LOGPALETTE** colors) override;
    STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    STDMETHODIMP Unfreeze(DWORD freeze) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;
    STDMETHODIMP GetRect(DWORD aspect, LPRECTL rectangle) override;
    STDMETHODIMP GetViewStatus(DWORD* status) override;
    STDMETHODIMP QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG closeHint,
                               DWORD* hitResult) override;
    STDMETHODIMP QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG closeHint,
                              DWORD* hitResult) override;
    STDMETHODIMP GetNaturalExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, HDC targetDevice,
                                  DVEXTENTINFO* extentInfo, LPSIZEL size) override;

    // IPersist, IPersistPropertyBag, IPersistStreamInit, IPersistStorage
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew(IStorage* storage) override;
    STDMETHODIMP Load(IStorage* storage) override;
    STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage* storage) override;
    STDMETHODIMP HandsOffStorage() override;

    // ISpecifyPropertyPages, IProvideClassInfo
    STDMETHODIMP GetPages(CAUUID* pages) override;
    STDMETHODIMP GetClassInfo(ITypeInfo** typeInfo) override;

    // IPointerInactive
    STDMETHODIMP GetActivationPolicy(DWORD* policy) override;
    STDMETHODIMP OnInactiveMouseMove(LPCRECT bounds, LONG x, LONG y, DWORD keyState) override;
    STDMETHODIMP OnInactiveSetCursor(LPCRECT bounds, LONG x, LONG y, DWORD message, BOOL setAlways) override;

    // IQuickActivate
    STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    STDMETHODIMP SetContentExtent(LPSIZEL size) override;
    STDMETHODIMP GetContentExtent(LPSIZEL size) override;

    // The control's record in the object-info table.
    ControlObjectInfo& ControlInfo() const { return static_cast<ControlObjectInfo&>(Info()); }

    // Destroys the control window, when there is one.
    void OnFinalRelease() override;
    // Reads the ambient LocaleID once, then answers the resource module.
    HINSTANCE GetResourceInstance() override;

    // Ambient properties of the container. GetAmbientProperty reads the
    // types VT_BOOL, VT_I2, VT_I4, VT_BSTR, VT_DISPATCH and VT_UNKNOWN into
    // value (a string or interface passes to the caller) and answers false
    // for any other type or when the container cannot give the value.
    bool GetAmbientProperty(DISPID dispid, VARTYPE type, void* value);
    bool GetAmbientFont(IFont** font);
    bool IsDesignMode();

    // Redraws the control: through its window or windowless site when in
    // place, else by telling the view advise sink.
    void InvalidateControl(const RECT* rectangle);
    BOOL InvalidateControlRect(const RECT* rectangle, BOOL erase);
    bool HasNoWindow() const;
    void GetControlRect(RECT* rectangle) const;
    void ShowControlWindow(bool show);
    void PropertyChanged(DISPID dispid) { FirePropertyChanged(dispid); }
    // HIMETRIC to container coordinates and back (flags XFORMCOORDS_*):
    // through the control site when it can, else one for one.
    HRESULT TransformCoords(POINTL* himetric, POINTF* container, DWORD flags);
    // Shift 1 + Ctrl 2 + Alt 4.
    static SHORT GetModifierKeyState();

    // The keyboard mnemonics that GetControlInfo reports. The control keeps
    // one table: setting new accelerators destroys the previous table, and
    // the last one dies with the control. No accelerators: no table.
    bool SetControlAccelerators(const ACCEL* accelerators, int count);
    HACCEL ControlAccelerators() const { return m_accelerators; }

    DWORD StateFlags() const { return m_state; }
    DWORD AmbientFlags() const { return m_ambient; }
    bool IsDirtyState() const { return (m_state & ControlState::Dirty) != 0; }
    void SetDirty(bool dirty);
    LONG FreezeCount() const { return m_freezeEvents; }
    SIZE ExtentPixels() const { return m_extent; }
    const RECT& PositionRect() const { return m_position; }
    HWND ControlWindow() const { return m_window; }
    IOleClientSite* ClientSite() const { return m_clientSite; }
    IOleControlSite* ControlSite() const { return m_controlSite; }
    IOleInPlaceSiteWindowless* WindowlessSite() const { return m_windowlessSite; }

    // Tells the view advise sink that the view changed.
    virtual void ViewChanged();
    // In-place activation for a verb: negotiates with the in-place site,
    // takes the window context, creates the control window and, for verbs
    // 0 and -4, UI-activates the control.
    virtual HRESULT InPlaceActivate(LONG verb);
    // Disables (modal) or enables the container's frame around a dialog.
    virtual void SetModalState(bool modal);

    // Focus and capture, windowed or windowless.
    BOOL SetControlFocus(BOOL take);
    BOOL HasFocus();
    BOOL SetControlCapture(BOOL capture);

    // The control window, created under the parent window (or the parking
    // window while there is none) at x, y with the extent; null on failure.
    HWND CreateInPlaceWindow(int x, int y, BOOL noRedraw);
    // Moves the outer window under window when that is a new parent.
    void SetParentWindow(HWND window);
    // The reflector window when there is one, else the control window.
    HWND GetOuterWindow() const { return m_reflector ? m_reflector : m_window; }
    HWND ParentWindow() const { return m_parentWindow; }
    HWND ReflectorWindow() const { return m_reflector; }
    const RECT& PaintClipRect() const { return m_paintClip; }

    // The window procedure of every control window: a control registers its
    // window class with it.
    static LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // A reflector hands its messages to the control through this.
    LRESULT ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ForgetReflector() { m_reflector = nullptr; }
    // Backend of IDataObject::SendOnDataChange, filled by the data layer.
    virtual void SendOnDataChange(DWORD adviseFlags) { (void)adviseFlags; }

protected:
    CControlEmbedding(IUnknown* outer, int objectType, void* primaryInterface);
    ~CControlEmbedding() override;

    // Virtual operations that the control object fills.
    virtual BOOL WantsPaint(HDC dc) { (void)dc; return TRUE; }
    virtual void AmbientPropertyChanged(DISPID dispid) { (void)dispid; }
    virtual HRESULT DoCustomVerb(LONG verb) { (void)verb; return OLEOBJ_S_INVALIDVERB; }
    virtual BOOL OnSetExtent(const SIZE& proposed) { (void)proposed; return TRUE; }
    virtual BOOL PreTranslateMessage(MSG* message) { (void)message; return FALSE; }
    virtual HRESULT InitializeNewState() { return S_OK; }
    virtual BOOL OnGetRect(DWORD aspect, RECTL* rectangle);
    // The control's colour set for a drawing on target (which may be null);
    // FALSE when the control has none to tell. Backend of GetColorSet.
    virtual BOOL OnGetPalette(HDC target, LOGPALETTE** colors)
    {
        (void)target; (void)colors;
        return FALSE;
    }
    // Last step of QuickActivate, whose result it is; viewStatus is the
    // control block's view status, which the control may change.
    virtual HRESULT OnQuickActivate(QACONTAINER* container, DWORD* viewStatus)
    {
        (void)container; (void)viewStatus;
        return S_OK;
    }
    virtual HRESULT OnSetClientSite() { return S_OK; }
    virtual HRESULT OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                           BOOL optimize) = 0;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The control window's life: the class registration (FALSE fails the
    // creation), the style and title before creation (title holds 128
    // characters; FALSE stops the creation), the check after it (FALSE
    // destroys the window) and the notice before WM_DESTROY is handled.
    virtual BOOL RegisterClassData() { return FALSE; }
    virtual BOOL BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, wchar_t* title)
    {
        (void)style; (void)extendedStyle; (void)title;
        return TRUE;
    }
    virtual BOOL AfterCreateWindow() { return TRUE; }
    virtual void BeforeDestroyWindow() {}
    // Whether the simple-frame site filters a message of the control window.
    virtual BOOL WantsPreMessageFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        (void)window; (void)message; (void)wParam; (void)lParam;
        return FALSE;
    }
    virtual BOOL WantsPostMessageFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        (void)window; (void)message; (void)wParam; (void)lParam;
        return FALSE;
    }

    // The persisted state: the framework's standard part (extent and
    // version, filled by the property layer) and the control's own.
    virtual HRESULT LoadStandardBinaryState(IStream* stream) { (void)stream; return E_NOTIMPL; }
    virtual HRESULT SaveStandardBinaryState(IStream* stream) { (void)stream; return E_NOTIMPL; }
    virtual HRESULT LoadStandardTextState(IPropertyBag* bag, IErrorLog* log)
    {
        (void)bag; (void)log;
        return E_NOTIMPL;
    }
    virtual HRESULT SaveStandardTextState(IPropertyBag* bag) { (void)bag; return E_NOTIMPL; }
    virtual HRESULT LoadBinaryState(IStream* stream) { (void)stream; return S_OK; }
    virtual HRESULT SaveBinaryState(IStream* stream) { (void)stream; return S_OK; }
    virtual HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* log) { (void)bag; (void)log; return S_OK; }
    virtual HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) { (void)bag; (void)saveAll; return S_OK; }

    DWORD m_state = 0;
    DWORD m_ambient = AmbientState::ContainerReflects;
    SIZE m_extent = {100, 50};
    RECT m_position = {};
    HWND m_window = nullptr;
    HWND m_parentWindow = nullptr;
    RECT m_paintClip = {};
    LONG m_freezeEvents = 0;

    IOleClientSite* m_clientSite = nullptr;
    IOleControlSite* m_controlSite = nullptr;
    IOleInPlaceSite* m_inPlaceSite = nullptr;
    IOleInPlaceFrame* m_frame = nullptr;
    IOleInPlaceUIWindow* m_document = nullptr;
    ISimpleFrameSite* m_simpleFrameSite = nullptr;
    IDispatch* m_ambientDispatch = nullptr;
    IOleAdviseHolder* m_adviseHolder = nullptr;
    IOleInPlaceSiteWindowless* m_windowlessSite = nullptr;
    HWND m_reflector = nullptr;
    IAdviseSink* m_viewAdviseSink = nullptr;
    HACCEL m_accelerators = nullptr;
    USHORT m_acceleratorCount = 0;

private:
    HRESULT ShowPropertyPages();
    bool InvokeAmbient(DISPID dispid, VARIANT& result);

    // In-place activation steps.
    HRESULT TakeInPlaceSite();
    HRESULT TellSiteActivating(IOleInPlaceSiteEx* ex, BOOL* noRedraw);
    HRESULT TakeWindowContext(RECT* clip);
    void UIActivate();
    void UndoFailedActivation();
    void DestroyControlWindows();
    bool ContainerReflectsMessages();
    LRESULT RouteWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT PaintWindow(HWND window, HDC given);
};
