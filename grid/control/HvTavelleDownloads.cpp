// The grid control's URL downloads: sounds, layouts and the ImagesURL
// strip, all through one ControlDownloads over the control's URL services,
// with the framework's progress and end notices routed to it.
#include "HvTavelle.h"

#include "ControlDownloads.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "SystemUrlServices.h"

namespace {

HvTavelle::UrlServicesMaker g_urlServicesMaker = nullptr;

} // namespace

HvTavelle::UrlServicesMaker HvTavelle::SetUrlServicesMaker(UrlServicesMaker maker)
{
    const UrlServicesMaker previous = g_urlServicesMaker;
    g_urlServicesMaker = maker;
    return previous;
}

void HvTavelle::MakeDownloads()
{
    if (g_urlServicesMaker)
        urlServices_ = g_urlServicesMaker(this);
    if (!urlServices_)
        urlServices_ = std::make_unique<SystemUrlServices>(this);
    downloads_ = std::make_unique<ControlDownloads>(*this, *urlServices_);
}

ControlDownloads* HvTavelle::Downloads()
{
    return downloads_.get();
}

HRESULT HvTavelle::ImagesUrlProgress(ULONG progress, ULONG, ULONG status, LPCWSTR text)
{
    constexpr DISPID ImagesUrlId = 2102;
    return images_ ? images_->OnUrlData(ImagesUrlId, progress, status, text) : S_OK;
}

HRESULT HvTavelle::OnUrlProgress(DWORD tag, ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText)
{
    return downloads_->OnUrlProgress(tag, progress, maximum, statusCode, statusText);
}

void HvTavelle::OnUrlStop(DWORD tag, HRESULT result)
{
    downloads_->OnUrlStop(tag, result);
}

void HvTavelle::StartImagesDownload()
{
    if (!images_ || imagesUrl_.IsEmpty() || IsDesignMode() || !HasBindHost())
        return;
    BSTR url = imagesUrl_.AllocSysString();
    if (url)
        downloads_->StartImagesDownload(std::wstring(url, SysStringLen(url)));
    SysFreeString(url);
}

HRESULT HvTavelle::DownloadLayout(BSTR url, LONG categories, bool erase, HvLayout* layout)
{
    if (!url || !layout)
        return E_INVALIDARG;
    IHvLayout* target = nullptr;
    HRESULT hr = layout->QueryInterface(IID_IHvLayout, reinterpret_cast<void**>(&target));
    if (FAILED(hr))
        return hr;
    // The grid given back to the layout's Load is this control.
    LayoutLoadRequest request;
    request.categories = categories;
    request.erase = erase;
    request.grid = static_cast<IHvTavelleControl*>(this);
    request.layout = target;
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = url;   // borrowed
    hr = downloads_->LoadLayoutFromUrl(&source, &request);
    target->Release();
    return hr;
}
