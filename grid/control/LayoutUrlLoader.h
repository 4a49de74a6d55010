// LayoutUrlLoader: loading a layout from a URL for the control: at once
// from the URL cache when the URL is there, else after an asynchronous
// download, of which at most one runs at a time.
#pragma once

#include "DownloadCacheName.h"
#include "DownloadHost.h"
#include "LayoutLoadRequest.h"
#include "UrlServices.h"

#include <string>

class LayoutUrlLoader
{
public:
    static constexpr DWORD DownloadId = 2182;
    // The persistence type of a local copy of a URL: loaded as a file.
    static constexpr LONG LocalCopyType = 99;
    static constexpr HRESULT InvalidValue = static_cast<HRESULT>(0x800A017C);
    static constexpr WORD InvalidValueString = 10380;
    static constexpr HRESULT DownloadBusy = static_cast<HRESULT>(0x800A9C69);
    static constexpr WORD DownloadBusyString = 4034;

    // Neither is owned; the host raises the automation errors.
    LayoutUrlLoader(UrlServices& services, DownloadHost& host) : m_services(services), m_host(host) {}
    ~LayoutUrlLoader();
    LayoutUrlLoader(const LayoutUrlLoader&) = delete;
    LayoutUrlLoader& operator=(const LayoutUrlLoader&) = delete;

    HRESULT LoadLayoutFromUrl(VARIANT* url, const LayoutLoadRequest* request);
    // The progress of the layout download; loads the file when it ends.
    void OnProgress(ULONG status, LPCWSTR text);
    // The binding stopped: a download whose data end was not announced
    // ends here, loaded as at its end when it succeeded; a failed one drops
    // its request, so that the next load may start.
    void OnStop(HRESULT result);

    bool IsDownloading() const { return m_downloading; }

private:
    HRESULT Raise(HRESULT result, WORD id) { return m_host.RaiseError(result, id); }
    void Hold(const LayoutLoadRequest& request);
    void Drop();
    void Finish(bool load);

    UrlServices& m_services;
    DownloadHost& m_host;
    LayoutLoadRequest m_request; // referenced while held
    bool m_downloading = false;
    DownloadCacheName m_cacheFile;
};

// Calls the layout's Load with a local file as a file source.
HRESULT LoadLayoutFromLocalFile(const LayoutLoadRequest& request, const std::wstring& file);
