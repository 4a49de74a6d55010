// The grid control's images: the collection made on first use, its change
// notices, the ImagesURL download and the two image-property interfaces.
#include "HvTavelle.h"

#include "ControlDownloads.h"
#include "ControlImagesHost.h"
#include "HvImages.h"
#include "SystemUrlServices.h"
#include "UrlDownload.h"

namespace {

constexpr DISPID ImagesId = 2100;
constexpr DISPID ImageListId = 2101;
constexpr DISPID ImagesUrlId = 2102;
constexpr DISPID PictureId = -523;
constexpr DISPID RefreshId = -550;

} // namespace

HvImages* HvTavelle::GetControlImages()
{
    if (!images_)
        images_ = HvImages::Create(imagesHost_.get(), (imageFlags_ & ImageUseImageList) != 0);
    return images_;
}

SIZE HvTavelle::GetControlImageSize()
{
    SIZE size = {0, 0};
    if (images_)
        images_->GetImageSize(size);
    return size;
}

void HvTavelle::ImagesChanged(DISPID dispid)
{
    SetDirty(true);
    if (!IsAlive())
        return;
    PropertyChanged(dispid);
    PropertyChanged(ImagesId);
    PropertyChanged(ImageListId);
    // The grid shows the new pictures.
    VARIANT none;
    VariantInit(&none);
    DISPPARAMS params = {&none, nullptr, 0, 0};
    Invoke(RefreshId, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    InvalidateControl(nullptr);
}

void HvTavelle::StartImagesDownload()
{
    if (!images_ || imagesUrl_.IsEmpty() || IsDesignMode() || !HasBindHost())
        return;
    BSTR url = imagesUrl_.AllocSysString();
    if (url)
        StartUrlDownload(this, ImagesUrlId, url, true);
    SysFreeString(url);
}

HRESULT HvTavelle::OnUrlProgress(DWORD tag, ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText)
{
    if (tag == static_cast<DWORD>(ImagesUrlId))
        return ImagesUrlProgress(progress, maximum, statusCode, statusText);
    ControlDownloads* downloads = Downloads();
    return downloads ? downloads->OnUrlProgress(tag, progress, maximum, statusCode, statusText) : S_OK;
}

HRESULT HvTavelle::ImagesUrlProgress(ULONG progress, ULONG, ULONG status, LPCWSTR text)
{
    return images_ ? images_->OnUrlData(ImagesUrlId, progress, status, text) : S_OK;
}

ControlDownloads* HvTavelle::Downloads()
{
    if (downloads_)
        return downloads_.get();
    try {
        if (!urlServices_)
            urlServices_ = std::make_unique<SystemUrlServices>(this);
        downloads_ = std::make_unique<ControlDownloads>(*this, *urlServices_);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return downloads_.get();
}

STDMETHODIMP HvTavelle::GetPropertyCount(long* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = HasBindHost() ? 2 : 1;
    return S_OK;
}

STDMETHODIMP HvTavelle::GetPropertyIds(DISPID* ids)
{
    if (!ids)
        return E_INVALIDARG;
    if (HasBindHost()) {
        ids[0] = ImagesUrlId;
        ids[1] = ImagesId;
    } else {
        ids[0] = ImagesId;
    }
    return S_OK;
}

STDMETHODIMP HvTavelle::GetPropertyDefault(DISPID dispid, long* value)
{
    if (!value)
        return E_INVALIDARG;
    *value = 0;
    if (dispid == ImagesId || dispid == ImagesUrlId)
        return S_OK;
    return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
}

STDMETHODIMP HvTavelle::GetPropertyChoice(DISPID dispid, long* value)
{
    HvImages* images = GetControlImages();
    if (!images)
        return E_OUTOFMEMORY;
    if (dispid != ImagesId && dispid != ImagesUrlId)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    return images->GetImageListChoice(dispid, value);
}

STDMETHODIMP HvTavelle::SetPropertyChoice(DISPID dispid, long value)
{
    HvImages* images = GetControlImages();
    if (!images)
        return E_OUTOFMEMORY;
    if (dispid != ImagesId && dispid != ImagesUrlId)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    return images->SetImageListChoice(dispid, value);
}

STDMETHODIMP HvTavelle::GetDefaultColor(DISPID dispid, OLE_COLOR* color)
{
    if (!color)
        return E_INVALIDARG;
    if (dispid == ImagesId) {
        *color = 0x80000000 | COLOR_BTNFACE;
        return S_OK;
    }
    *color = 0;
    return E_FAIL;
}

STDMETHODIMP HvTavelle::GetImageProperty(DISPID dispid, VARIANT* out, long argument)
{
    if (!out)
        return E_INVALIDARG;
    VariantInit(out);
    if (dispid != PictureId && dispid != ImagesId && dispid != ImageListId)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    HvImages* images = GetControlImages();
    if (!images)
        return E_OUTOFMEMORY;
    if (IDispatch* list = images->GetImageListControl())
        list->Release();
    images->SetUseImageList((imageFlags_ & ImageUseImageList) != 0);
    if (dispid == ImageListId) {
        out->vt = VT_DISPATCH;
        out->pdispVal = images->GetImageListControl();
        return S_OK;
    }
    if (dispid == PictureId) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = argument;
        out->vt = VT_DISPATCH;
        out->pdispVal = images->GetPictureFromVariant(index);
        return S_OK;
    }
    out->vt = VT_DISPATCH;
    return images->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&out->pdispVal));
}

STDMETHODIMP HvTavelle::PutImageProperty(DISPID dispid, VARIANT value)
{
    if (dispid != PictureId && dispid != ImagesId && dispid != ImageListId)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    HvImages* images = GetControlImages();
    if (!images)
        return E_OUTOFMEMORY;
    if (dispid == ImageListId && value.vt == VT_BSTR) {
        CDualString name(value.bstrVal ? value.bstrVal : L"");
        images->SetImageListName(name.c_str());
        return S_OK;
    }
    if (dispid == ImageListId && value.vt == VT_DISPATCH)
        return images->SetImageListControl(value.pdispVal);
    return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
}

STDMETHODIMP HvTavelle::PutRefImageProperty(DISPID dispid, VARIANT* value)
{
    if (dispid != ImagesId && dispid != ImageListId)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (!value)
        return E_INVALIDARG;
    return PutImageProperty(dispid, *value);
}
