// Hosting one control in a container window.
#include "ControlHost.h"

#include <new>
#include <stdexcept>

namespace hv::container {

namespace {

using Microsoft::WRL::ComPtr;

template <class T>
ComPtr<T> Adopt(T* pointer)
{
    ComPtr<T> holder;
    *holder.GetAddressOf() = pointer;
    return holder;
}

// Pixels to HIMETRIC at the screen's resolution.
SIZEL PixelsToHimetric(LONG width, LONG height)
{
    HDC screen = GetDC(nullptr);
    const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return SIZEL{MulDiv(width, 2540, dpiX ? dpiX : 96), MulDiv(height, 2540, dpiY ? dpiY : 96)};
}

} // namespace

ControlHost::ControlHost(HWND window, const RECT& position, const SiteOptions& options) : window_(window)
{
    site_ = Adopt(ControlSite::Create(window, position, options));
    events_ = Adopt(EventSink::Create(IID_NULL));
    if (!site_ || !events_)
        throw std::bad_alloc();
}

ControlHost::~ControlHost()
{
    if (IsHosted())
        Close();
}

void ControlHost::SetEventIid(const IID& iid)
{
    eventIid_ = iid;
    eventIidSet_ = true;
}

HRESULT ControlHost::Create(REFCLSID clsid)
{
    ComPtr<IUnknown> control;
    Log().Add(L"Host::CoCreateInstance");
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                        reinterpret_cast<void**>(control.GetAddressOf()));
    if (FAILED(hr))
        return hr;
    return Attach(control.Get());
}

HRESULT ControlHost::Attach(IUnknown* control)
{
    if (!control)
        return E_POINTER;
    if (IsHosted())
        return E_UNEXPECTED;
    control_ = control;
    HRESULT hr = control_.As(&object_);
    if (FAILED(hr)) {
        control_.Reset();
        return hr;
    }
    quickActivated_ = false;
    if (quickWanted_) {
        ComPtr<IQuickActivate> quick;
        if (SUCCEEDED(control_.As(&quick)))
            return QuickAttach(quick.Get());
    }
    object_->GetMiscStatus(DVASPECT_CONTENT, &miscStatus_);
    IOleClientSite* site = site_.Get();
    const bool siteFirst = (miscStatus_ & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst) {
        Log().Add(L"Host::SetClientSite");
        hr = object_->SetClientSite(site);
        if (FAILED(hr))
            return hr;
    }
    if (auto persist = Query<IPersistStreamInit>()) {
        Log().Add(L"Host::InitNew");
        hr = persist->InitNew();
        if (FAILED(hr) && hr != E_NOTIMPL)
            return hr;
    }
    if (!siteFirst) {
        Log().Add(L"Host::SetClientSite");
        hr = object_->SetClientSite(site);
        if (FAILED(hr))
            return hr;
    }
    if (!eventIidSet_)
        eventIid_ = FindEventIid();
    events_->SetEventIid(eventIid_);
    Connect(IsEqualIID(eventIid_, IID_NULL) ? IID_IDispatch : eventIid_, static_cast<IDispatch*>(events_.Get()),
            eventCookie_);
    Connect(IID_IPropertyNotifySink, static_cast<IPropertyNotifySink*>(site_.Get()), propertyCookie_);
    object_->Advise(static_cast<IAdviseSink*>(site_.Get()), &adviseCookie_);
    if (auto view = Query<IViewObject>())
        view->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(site_.Get()));
    return S_OK;
}

// The container in one block: the control takes its site, connects the
// sinks and reads the ambient settings from it, then is initialised. The
// cookies it gives back are the ones Close disconnects, even when the
// call failed half way (what it did stays done).
HRESULT ControlHost::QuickAttach(IQuickActivate* quick)
{
    if (!eventIidSet_)
        eventIid_ = FindEventIid();
    events_->SetEventIid(eventIid_);

    QACONTAINER block{};
    block.cbSize = sizeof block;
    block.pClientSite = site_.Get();
    block.pAdviseSink = static_cast<IAdviseSinkEx*>(site_.Get());
    block.pPropertyNotifySink = static_cast<IPropertyNotifySink*>(site_.Get());
    block.pUnkEventSink = static_cast<IDispatch*>(events_.Get());
    block.pOleControlSite = static_cast<IOleControlSite*>(site_.Get());
    VARIANT value;
    if (Ambients().Peek(DISPID_AMBIENT_USERMODE, VT_BOOL, &value) && value.boolVal)
        block.dwAmbientFlags |= QACONTAINER_USERMODE;
    if (Ambients().Peek(DISPID_AMBIENT_MESSAGEREFLECT, VT_BOOL, &value) && value.boolVal)
        block.dwAmbientFlags |= QACONTAINER_MESSAGEREFLECT;
    if (Ambients().Peek(DISPID_AMBIENT_LOCALEID, VT_I4, &value))
        block.lcid = value.lVal;

    quickAnswer_ = QACONTROL{};
    quickAnswer_.cbSize = sizeof quickAnswer_;
    Log().Add(L"Host::QuickActivate");
    HRESULT hr = quick->QuickActivate(&block, &quickAnswer_);
    eventCookie_ = quickAnswer_.dwEventCookie;
    propertyCookie_ = quickAnswer_.dwPropNotifyCookie;
    if (FAILED(hr))
        return hr;
    quickActivated_ = true;
    miscStatus_ = quickAnswer_.dwMiscStatus;
    if (auto persist = Query<IPersistStreamInit>()) {
        Log().Add(L"Host::InitNew");
        hr = persist->InitNew();
        if (FAILED(hr) && hr != E_NOTIMPL)
            return hr;
    }
    object_->Advise(static_cast<IAdviseSink*>(site_.Get()), &adviseCookie_);
    return S_OK;
}

HRESULT ControlHost::Activate(LONG verb)
{
    if (!IsHosted())
        return E_UNEXPECTED;
    const RECT& position = site_->Position();
    SIZEL extent = PixelsToHimetric(position.right - position.left, position.bottom - position.top);
    auto quick = quickActivated_ ? Query<IQuickActivate>() : ComPtr<IQuickActivate>();
    if (quick) {
        Log().Add(L"Host::SetContentExtent");
        quick->SetContentExtent(&extent);
    } else {
        Log().Add(L"Host::SetExtent");
        object_->SetExtent(DVASPECT_CONTENT, &extent);
    }
    Log().Add(L"Host::DoVerb(" + std::to_wstring(verb) + L")");
    return object_->DoVerb(verb, nullptr, site_.Get(), 0, window_, &position);
}

HRESULT ControlHost::Close(DWORD saveOption)
{
    if (!IsHosted())
        return S_OK;
    Log().Add(L"Host::Close");
    const HRESULT hr = object_->Close(saveOption);
    Disconnect(IsEqualIID(eventIid_, IID_NULL) ? IID_IDispatch : eventIid_, eventCookie_);
    Disconnect(IID_IPropertyNotifySink, propertyCookie_);
    if (adviseCookie_) {
        object_->Unadvise(adviseCookie_);
        adviseCookie_ = 0;
    }
    if (auto view = Query<IViewObject>())
        view->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    Log().Add(L"Host::SetClientSite(null)");
    object_->SetClientSite(nullptr);
    object_.Reset();
    control_.Reset();
    return hr;
}

HRESULT ControlHost::AmbientChanged(DISPID dispid)
{
    auto control = Query<IOleControl>();
    return control ? control->OnAmbientPropertyChange(dispid) : E_NOINTERFACE;
}

HRESULT ControlHost::FreezeEvents(bool freeze)
{
    auto control = Query<IOleControl>();
    return control ? control->FreezeEvents(freeze) : E_NOINTERFACE;
}

HRESULT ControlHost::Connect(REFIID iid, IUnknown* sink, DWORD& cookie)
{
    auto container = Query<IConnectionPointContainer>();
    if (!container)
        return E_NOINTERFACE;
    ComPtr<IConnectionPoint> point;
    HRESULT hr = container->FindConnectionPoint(iid, point.GetAddressOf());
    if (FAILED(hr))
        return hr;
    return point->Advise(sink, &cookie);
}

void ControlHost::Disconnect(REFIID iid, DWORD& cookie)
{
    if (!cookie)
        return;
    if (auto container = Query<IConnectionPointContainer>()) {
        ComPtr<IConnectionPoint> point;
        if (SUCCEEDED(container->FindConnectionPoint(iid, point.GetAddressOf())))
            point->Unadvise(cookie);
    }
    cookie = 0;
}

// The default source interface of the control's class, or IID_NULL.
IID ControlHost::FindEventIid() const
{
    IID found = IID_NULL;
    auto classInfo = Query<IProvideClassInfo>();
    ComPtr<ITypeInfo> info;
    if (!classInfo || FAILED(classInfo->GetClassInfo(info.GetAddressOf())) || !info)
        return found;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes)))
        return found;
    const WORD count = attributes->cImplTypes;
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < count; ++i) {
        INT flags = 0;
        if (FAILED(info->GetImplTypeFlags(i, &flags)) ||
            (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE))
            continue;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> source;
        if (FAILED(info->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(info->GetRefTypeInfo(reference, source.GetAddressOf())))
            continue;
        TYPEATTR* sourceAttributes = nullptr;
        if (SUCCEEDED(source->GetTypeAttr(&sourceAttributes))) {
            found = sourceAttributes->guid;
            source->ReleaseTypeAttr(sourceAttributes);
        }
        break;
    }
    return found;
}

} // namespace hv::container
