// The grid control's images: the collection made on first use, its change
// notices, the ImagesURL download and the two image-property interfaces.
#include "HvTavelle.h"

#include "ControlDownloads.h"
#include "ControlImagesHost.h"
#include "HvImages.h"

namespace {

constexpr DISPID ImagesId = 2100;
constexpr DISPID ImageListId = 2101;
constexpr DISPID ImagesUrlId = 2102;
constexpr DISPID PictureId = -523;

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
    Refresh(nullptr);
    InvalidateControl(nullptr);
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
