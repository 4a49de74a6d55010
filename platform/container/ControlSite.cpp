// The site of one hosted control.
#include "ControlSite.h"

#include <new>
#include <string>

namespace hv::container {

namespace {

constexpr double kTwipsPerHimetric = 1440.0 / 2540.0;

std::wstring WithDispid(const wchar_t* name, DISPID dispid)
{
    return std::wstring(name) + L"(" + std::to_wstring(dispid) + L")";
}

} // namespace

ControlSite* ControlSite::Create(HWND window, const RECT& position, const SiteOptions& options)
{
    try {
        return new ControlSite(window, position, options);
    } catch (...) {
        return nullptr;
    }
}

ControlSite::ControlSite(HWND window, const RECT& position, const SiteOptions& options)
    : window_(window), position_(position), options_(options)
{
    ambients_.SetLog(&log_);
    frame_ = InPlaceFrame::Create(window, &log_);
    if (!frame_)
        throw std::bad_alloc();
}

ControlSite::~ControlSite()
{
    // The frame may outlive the site in a control's hands.
    frame_->Forget();
    frame_->Release();
}

STDMETHODIMP ControlSite::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const bool windowless = options_.offerWindowless;
    const bool ex = windowless || options_.offerInPlaceSiteEx;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *out = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleControlSite))
        *out = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite) ||
             (ex && IsEqualIID(iid, IID_IOleInPlaceSiteEx)) ||
             (windowless && IsEqualIID(iid, IID_IOleInPlaceSiteWindowless)))
        *out = static_cast<IOleInPlaceSiteWindowless*>(this);
    else if (IsEqualIID(iid, IID_IAdviseSink) || IsEqualIID(iid, IID_IAdviseSinkEx))
        *out = static_cast<IAdviseSinkEx*>(this);
    else if (IsEqualIID(iid, IID_IPropertyNotifySink))
        *out = static_cast<IPropertyNotifySink*>(this);
    else if (IsEqualIID(iid, IID_IDispatch))
        *out = static_cast<IDispatch*>(this);
    else if (options_.offerBindHost && IsEqualIID(iid, IID_IServiceProvider))
        *out = static_cast<IServiceProvider*>(&bindHost_);
    else if (options_.offerBindHost && IsEqualIID(iid, IID_IBindHost))
        *out = static_cast<IBindHost*>(&bindHost_);
    log_.Add(L"QueryInterface(" + InterfaceName(iid) + (*out ? L")" : L") failed"));
    if (!*out)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ControlSite::AddRef()
{
    return ++refs_;
}

STDMETHODIMP_(ULONG) ControlSite::Release()
{
    const ULONG count = --refs_;
    if (count == 0)
        delete this;
    return count;
}

// --- IOleClientSite ----------------------------------------------------------

STDMETHODIMP ControlSite::SaveObject()
{
    log_.Add(L"SaveObject");
    return options_.saveObject;
}

STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** container)
{
    log_.Add(L"GetContainer");
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ControlSite::ShowObject()
{
    log_.Add(L"ShowObject");
    return S_OK;
}

STDMETHODIMP ControlSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP ControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- IOleControlSite ---------------------------------------------------------

STDMETHODIMP ControlSite::OnControlInfoChanged()
{
    log_.Add(L"OnControlInfoChanged");
    return S_OK;
}

STDMETHODIMP ControlSite::LockInPlaceActive(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** control)
{
    if (control)
        *control = nullptr;
    return E_NOTIMPL;
}

// Container coordinates are twips.
STDMETHODIMP ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags)
{
    if (!himetric || !container)
        return E_POINTER;
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x * kTwipsPerHimetric);
        container->y = static_cast<float>(himetric->y * kTwipsPerHimetric);
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x / kTwipsPerHimetric + (container->x < 0 ? -0.5 : 0.5));
        himetric->y = static_cast<LONG>(container->y / kTwipsPerHimetric + (container->y < 0 ? -0.5 : 0.5));
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

STDMETHODIMP ControlSite::TranslateAccelerator(MSG*, DWORD)
{
    log_.Add(L"TranslateAccelerator");
    return S_FALSE;
}

STDMETHODIMP ControlSite::OnFocus(BOOL gotFocus)
{
    log_.Add(gotFocus ? L"OnFocus(TRUE)" : L"OnFocus(FALSE)");
    return S_OK;
}

STDMETHODIMP ControlSite::ShowPropertyFrame()
{
    log_.Add(L"ShowPropertyFrame");
    return options_.showPropertyFrame;
}

// --- In-place site -----------------------------------------------------------

STDMETHODIMP ControlSite::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP ControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP ControlSite::CanInPlaceActivate()
{
    log_.Add(L"CanInPlaceActivate");
    return options_.canInPlaceActivate;
}

STDMETHODIMP ControlSite::OnInPlaceActivate()
{
    log_.Add(L"OnInPlaceActivate");
    inPlaceActive_ = true;
    return S_OK;
}

STDMETHODIMP ControlSite::OnUIActivate()
{
    log_.Add(L"OnUIActivate");
    uiActive_ = true;
    return S_OK;
}

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo)
{
    log_.Add(L"GetWindowContext");
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    if (FAILED(options_.getWindowContext)) {
        *frame = nullptr;
        *document = nullptr;
        return options_.getWindowContext;
    }
    *frame = frame_;
    frame_->AddRef();
    *document = nullptr;
    *position = position_;
    if (!IsRectEmpty(&options_.clip))
        *clip = options_.clip;
    else if (!window_ || !GetClientRect(window_, clip))
        *clip = position_;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = window_ ? GetAncestor(window_, GA_ROOT) : nullptr;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::Scroll(SIZE) { return E_NOTIMPL; }

STDMETHODIMP ControlSite::OnUIDeactivate(BOOL)
{
    log_.Add(L"OnUIDeactivate");
    uiActive_ = false;
    return S_OK;
}

STDMETHODIMP ControlSite::OnInPlaceDeactivate()
{
    log_.Add(L"OnInPlaceDeactivate");
    inPlaceActive_ = false;
    return S_OK;
}

STDMETHODIMP ControlSite::DiscardUndoState() { return S_OK; }
STDMETHODIMP ControlSite::DeactivateAndUndo() { return S_OK; }

STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT position)
{
    log_.Add(L"OnPosRectChange");
    if (!position)
        return E_POINTER;
    if (onPosRectChange)
        onPosRectChange(*position);
    position_ = *position;
    return S_OK;
}

STDMETHODIMP ControlSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags)
{
    log_.Add(WithDispid(L"OnInPlaceActivateEx", static_cast<DISPID>(flags)));
    if (noRedraw)
        *noRedraw = FALSE;
    inPlaceActive_ = true;
    return S_OK;
}

STDMETHODIMP ControlSite::OnInPlaceDeactivateEx(BOOL)
{
    log_.Add(L"OnInPlaceDeactivateEx");
    inPlaceActive_ = false;
    return S_OK;
}

STDMETHODIMP ControlSite::RequestUIActivate()
{
    log_.Add(L"RequestUIActivate");
    return S_OK;
}

STDMETHODIMP ControlSite::CanWindowlessActivate()
{
    log_.Add(L"CanWindowlessActivate");
    return options_.canWindowlessActivate;
}

STDMETHODIMP ControlSite::GetCapture()
{
    return capture_ ? S_OK : S_FALSE;
}

STDMETHODIMP ControlSite::SetCapture(BOOL capture)
{
    log_.Add(capture ? L"SetCapture(TRUE)" : L"SetCapture(FALSE)");
    capture_ = capture != FALSE;
    return S_OK;
}

STDMETHODIMP ControlSite::GetFocus()
{
    return focus_ ? S_OK : S_FALSE;
}

STDMETHODIMP ControlSite::SetFocus(BOOL focus)
{
    log_.Add(focus ? L"SetFocus(TRUE)" : L"SetFocus(FALSE)");
    focus_ = focus != FALSE;
    return S_OK;
}

STDMETHODIMP ControlSite::GetDC(LPCRECT, DWORD, HDC* dc)
{
    if (!dc)
        return E_POINTER;
    *dc = ::GetDC(window_);
    return *dc ? S_OK : E_FAIL;
}

STDMETHODIMP ControlSite::ReleaseDC(HDC dc)
{
    ::ReleaseDC(window_, dc);
    return S_OK;
}

STDMETHODIMP ControlSite::InvalidateRect(LPCRECT rectangle, BOOL erase)
{
    log_.Add(L"InvalidateRect");
    ::InvalidateRect(window_, rectangle ? rectangle : &position_, erase);
    return S_OK;
}

STDMETHODIMP ControlSite::InvalidateRgn(HRGN region, BOOL erase)
{
    log_.Add(L"InvalidateRgn");
    if (region)
        ::InvalidateRgn(window_, region, erase);
    else
        ::InvalidateRect(window_, &position_, erase);
    return S_OK;
}

STDMETHODIMP ControlSite::ScrollRect(INT, INT, LPCRECT, LPCRECT) { return E_NOTIMPL; }

STDMETHODIMP ControlSite::AdjustRect(LPRECT rectangle)
{
    return rectangle ? S_OK : E_POINTER;
}

STDMETHODIMP ControlSite::OnDefWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result)
{
    if (result)
        *result = 0;
    return S_FALSE;
}

// --- IAdviseSink, IPropertyNotifySink ------------------------------------------

STDMETHODIMP_(void) ControlSite::OnDataChange(FORMATETC*, STGMEDIUM*)
{
    log_.Add(L"OnDataChange");
    ++dataChanges_;
}

STDMETHODIMP_(void) ControlSite::OnViewChange(DWORD, LONG)
{
    log_.Add(L"OnViewChange");
    ++viewChanges_;
}

STDMETHODIMP_(void) ControlSite::OnRename(IMoniker*) {}

STDMETHODIMP_(void) ControlSite::OnViewStatusChange(DWORD status)
{
    log_.Add(L"OnViewStatusChange(" + std::to_wstring(status) + L")");
}

STDMETHODIMP_(void) ControlSite::OnSave()
{
    log_.Add(L"OnSave");
}

STDMETHODIMP_(void) ControlSite::OnClose()
{
    log_.Add(L"OnClose");
}

STDMETHODIMP ControlSite::OnChanged(DISPID dispid)
{
    log_.Add(WithDispid(L"OnChanged", dispid));
    changed_.push_back(dispid);
    return S_OK;
}

STDMETHODIMP ControlSite::OnRequestEdit(DISPID)
{
    return S_OK;
}

// --- IDispatch: ambient properties -----------------------------------------------

STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* dispids)
{
    return ambients_.GetIDsOfNames(names, count, dispids);
}

STDMETHODIMP ControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT*)
{
    try {
        return ambients_.Invoke(dispid, flags, params, result);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace hv::container
