// Loading a layout from a URL: from the cache, or when its download ends.
#include "LayoutUrlLoader.h"

namespace {

VARIANT MissingArgument()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT LongArgument(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// The URL argument as text; false when it is none.
bool UrlText(VARIANT* url, std::wstring& text)
{
    if (!url)
        return false;
    VARIANT copy;
    VariantInit(&copy);
    bool ok = SUCCEEDED(VariantCopyInd(&copy, url)) &&
              SUCCEEDED(VariantChangeTypeEx(&copy, &copy, LOCALE_USER_DEFAULT, 0, VT_BSTR)) && copy.bstrVal;
    if (ok)
        text.assign(copy.bstrVal, SysStringLen(copy.bstrVal));
    VariantClear(&copy);
    return ok;
}

} // namespace

HRESULT LoadLayoutFromLocalFile(const LayoutLoadRequest& request, const std::wstring& file)
{
    if (!request.layout)
        return E_FAIL;
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringLen(file.data(), static_cast<UINT>(file.size()));
    if (!source.bstrVal)
        return E_OUTOFMEMORY;
    // Without a grid the argument is left out: a null object is refused.
    VARIANT grid = MissingArgument();
    if (request.grid) {
        grid.vt = VT_DISPATCH;
        grid.pdispVal = request.grid;
    }
    VARIANT erase;
    VariantInit(&erase);
    erase.vt = VT_BOOL;
    erase.boolVal = request.erase ? VARIANT_TRUE : VARIANT_FALSE;
    const HRESULT hr = request.layout->Load(&source, LongArgument(LayoutUrlLoader::LocalCopyType),
                                            LongArgument(request.categories), erase, MissingArgument(), grid);
    VariantClear(&source);
    return hr;
}

LayoutUrlLoader::~LayoutUrlLoader()
{
    Drop();
}

void LayoutUrlLoader::Hold(const LayoutLoadRequest& request)
{
    if (request.grid)
        request.grid->AddRef();
    if (request.layout)
        request.layout->AddRef();
    Drop();
    m_request = request;
}

void LayoutUrlLoader::Drop()
{
    LayoutLoadRequest old = m_request;
    m_request = LayoutLoadRequest{};
    if (old.layout)
        old.layout->Release();
    if (old.grid)
        old.grid->Release();
}

HRESULT LayoutUrlLoader::LoadLayoutFromUrl(VARIANT* url, const LayoutLoadRequest* request)
{
    if (!request || !request->layout)
        return Raise(InvalidValue, InvalidValueString);
    std::wstring text;
    if (!UrlText(url, text))
        return Raise(InvalidValue, InvalidValueString);
    std::wstring local;
    if (m_services.FindCachedFile(text, local)) {
        LayoutLoadRequest now = *request;
        now.persistenceType = LocalCopyType;
        return LoadLayoutFromLocalFile(now, local);
    }
    if (m_downloading)
        return Raise(DownloadBusy, DownloadBusyString);
    Hold(*request);
    m_downloading = true;
    const HRESULT hr = m_services.StartDownload(DownloadId, text);
    if (FAILED(hr)) {
        // Nothing will arrive: the next load may start its own download.
        m_downloading = false;
        Drop();
    }
    return hr;
}

void LayoutUrlLoader::OnProgress(ULONG status, LPCWSTR text)
{
    if (m_cacheFile.Note(status, text))
        Finish(true);
}

void LayoutUrlLoader::OnStop(HRESULT result)
{
    if (m_downloading)
        Finish(SUCCEEDED(result));
}

void LayoutUrlLoader::Finish(bool load)
{
    // The request leaves the loader before the load, which may start
    // another download.
    LayoutLoadRequest request = m_request;
    m_request = LayoutLoadRequest{};
    const std::wstring file = m_cacheFile.File();
    m_downloading = false;
    m_cacheFile.Clear();
    request.persistenceType = LocalCopyType;
    if (request.layout) {
        if (load && !file.empty())
            LoadLayoutFromLocalFile(request, file);
        request.layout->Release();
    }
    if (request.grid)
        request.grid->Release();
}
