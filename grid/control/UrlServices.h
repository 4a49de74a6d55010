// UrlServices: the platform services that the control's sound and layout
// downloads use: the URL cache, the synchronous download into the cache,
// the asynchronous download whose progress comes back to the control, and
// the sound device. SystemUrlServices is the control's; tests put their
// own in its place.
#pragma once

#include <windows.h>

#include <string>

class UrlServices
{
public:
    // The local file of a complete cache entry of the URL; false when the
    // URL is not cached, its file is gone, or the cache cannot be asked.
    virtual bool FindCachedFile(const std::wstring& url, std::wstring& localFile) = 0;
    // Downloads the URL into the cache now; false on failure.
    virtual bool DownloadToCache(const std::wstring& url, std::wstring& localFile) = 0;
    // Starts an asynchronous download whose progress reaches the control's
    // OnUrlProgress with the id.
    virtual HRESULT StartDownload(DWORD id, const std::wstring& url) = 0;
    // sndPlaySound with the flags (SND_ASYNC, SND_FILENAME).
    virtual void PlaySound(const std::wstring& name, UINT flags) = 0;

    virtual ~UrlServices() = default;
};
