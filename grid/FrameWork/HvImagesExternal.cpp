// HvImages: the external image-list control: finding it on the container,
// choosing it by object, by name or by the property browser's number, and
// the sink of its property notifications.
#include "HvImages.h"

#include "VbContainerInterfaces.h"

#include <cstdlib>
#include <cstring>

// {40A050A0-3C31-101B-A82E-08002B2B2337}
extern "C" const IID IID_IVBGetControl = {0x40a050a0, 0x3c31, 0x101b, {0xa8, 0x2e, 0x08, 0x00, 0x2b, 0x2b, 0x23, 0x37}};
// {8A701DA0-4FEB-101B-A82E-08002B2B2337}
extern "C" const IID IID_IGetOleObject = {0x8a701da0, 0x4feb, 0x101b, {0xa8, 0x2e, 0x08, 0x00, 0x2b, 0x2b, 0x23, 0x37}};

namespace {

// The container of site, a new reference or null.
IOleContainer* ContainerOf(IOleClientSite* site)
{
    IOleContainer* container = nullptr;
    if (!site || FAILED(site->GetContainer(&container)))
        return nullptr;
    return container;
}

bool IsVisualBasicForm(IOleContainer* container)
{
    IVBGetControl* form = nullptr;
    if (!container || FAILED(container->QueryInterface(IID_IVBGetControl, reinterpret_cast<void**>(&form))))
        return false;
    form->Release();
    return true;
}

} // namespace

STDMETHODIMP HvImages::ListSink::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyNotifySink)) {
        *out = static_cast<IPropertyNotifySink*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP HvImages::ListSink::OnChanged(DISPID)
{
    owner_.OnExternalChanged();
    return S_OK;
}

void HvImages::OnExternalChanged()
{
    if (loading_)
        return;
    // A handle read from the control may be stale now: read it again on next use.
    DestroyImageList();
    if (host_) {
        host_->SetDirty();
        host_->OnImagesChanged(ids_.imageList);
        host_->OnImagesChanged(ids_.imageList);
    }
}

void HvImages::ForgetKeptControl()
{
    if (keptObject_)
        keptObject_->Release();
    keptObject_ = nullptr;
    keptWindow_ = nullptr;
}

void HvImages::SelectSource(const CImageSourceDispatch* entry)
{
    DestroyImageList();   // a handle of the previous control is no longer ours to use
    candidates_.Select(entry, selected_);
}

void HvImages::ScanContainer()
{
    IOleClientSite* site = host_ ? host_->GetClientSite() : nullptr;
    IOleContainer* container = nullptr;
    if (keptObject_) {
        // On a Visual Basic form the kept control leads to its own container.
        IOleClientSite* controlSite = nullptr;
        if (SUCCEEDED(keptObject_->GetClientSite(&controlSite)) && controlSite) {
            container = ContainerOf(controlSite);
            controlSite->Release();
        }
    }
    candidates_.Scan(container, site);
    if (container)
        container->Release();
    if (site)
        site->Release();
}

void HvImages::RefreshFromImageList()
{
    if (refreshing_)
        return;
    refreshing_ = true;
    candidates_.EnsureNone();
    if (keptObject_ && !IsWindow(keptWindow_)) {
        // The control was destroyed with its window.
        ForgetKeptControl();
        pending_ = false;
        SelectSource(nullptr);
        externalSize_ = {0, 0};
    } else if (!selected_.Control() && pending_) {
        const CDualString name = selected_.Name();
        const long index = selected_.Index();
        ScanContainer();
        if (CImageSourceDispatch* entry = candidates_.Find(name.c_str(), index)) {
            pending_ = false;
            SelectSource(entry);
        }
    }
    refreshing_ = false;
}

IDispatch* HvImages::GetImageListControl()
{
    if (pending_)
        RefreshFromImageList();
    IDispatch* control = selected_.Control();
    if (control)
        control->AddRef();
    return control;
}

HRESULT HvImages::SetImageListControl(IDispatch* control)
{
    ForgetKeptControl();
    pending_ = false;
    candidates_.EnsureNone();
    SelectSource(nullptr);
    if (!control) {
        externalSize_ = {0, 0};
        PropertyChanged(ids_.imageList);
        return S_OK;
    }
    ScanContainer();
    const CDualString name = CImageSourceHandle::ReadName(control);
    const long index = CImageSourceHandle::ReadIndex(control);
    CImageSourceDispatch* entry = candidates_.FindControl(control);
    if (!entry)
        entry = candidates_.Add(name.c_str(), control, nullptr, index);
    if (!entry || (entry->Control() && entry->Count() == 0))
        return Exception(ImagesError::ImageListNotReady, ImagesError::ImageListNotReadyString);
    SelectSource(entry);
    selected_.SetName(name, index);
    pending_ = true;
    IOleClientSite* site = host_ ? host_->GetClientSite() : nullptr;
    IOleContainer* container = ContainerOf(site);
    if (IsVisualBasicForm(container)) {
        IGetOleObject* getter = nullptr;
        if (SUCCEEDED(control->QueryInterface(IID_IGetOleObject, reinterpret_cast<void**>(&getter)))) {
            if (SUCCEEDED(getter->GetOleObject(IID_IOleObject, reinterpret_cast<void**>(&keptObject_))) &&
                keptObject_) {
                IOleWindow* window = nullptr;
                if (SUCCEEDED(keptObject_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
                    window->GetWindow(&keptWindow_);
                    window->Release();
                }
            }
            getter->Release();
        }
    }
    if (container)
        container->Release();
    if (site)
        site->Release();
    PropertyChanged(ids_.imageList);
    return S_OK;
}

void HvImages::SetImageListName(const char* given)
{
    const char* text = given ? given : "";
    if (!*text) {
        pending_ = false;
        SelectSource(nullptr);
        externalSize_ = {0, 0};
        return;
    }
    selected_.DropControl();
    DestroyImageList();
    pending_ = std::strcmp(text, "(None)") != 0 && std::strcmp(text, "<None>") != 0;
    CDualString whole(text);
    const int open = whole.FindChar('(');
    if (open < 0 || !pending_) {
        selected_.SetName(pending_ ? whole : CDualString("(None)"), -1);
        return;
    }
    const int close = whole.Mid(open, whole.Length() - open).FindChar(')');
    if (close > 1) {
        const CDualString number = whole.Mid(open + 1, close - 1);
        selected_.SetName(whole.Left(open), std::atol(number.c_str()));
    } else {
        selected_.SetName(whole, -1);
    }
}

HRESULT HvImages::GetImageListChoice(DISPID dispid, long* number)
{
    if (!number)
        return E_INVALIDARG;
    *number = 0;
    if (dispid != ids_.imageList)
        return S_FALSE;
    const CDualString name = selected_.Name();
    const long index = selected_.Index();
    ScanContainer();
    if (const CImageSourceDispatch* entry = candidates_.Find(name.c_str(), index)) {
        *number = candidates_.NumberOf(entry);
        return S_OK;
    }
    pending_ = false;
    SelectSource(nullptr);
    externalSize_ = {0, 0};
    return S_OK;
}

HRESULT HvImages::SetImageListChoice(DISPID dispid, long number)
{
    if (dispid != ids_.imageList)
        return S_FALSE;
    const CImageSourceDispatch* entry = candidates_.At(number);
    if (!entry)
        return S_FALSE;
    pending_ = false;
    SelectSource(entry);
    return S_OK;
}
