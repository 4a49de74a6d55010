// SoundPlayer: the control's PlaySoundFile: a file or a system sound
// played at once, or, in a container with a bind host, a URL played from
// the cache, after a download into the cache, or when an asynchronous
// download ends. At most one asynchronous sound download runs at a time.
#pragma once

#include "DownloadCacheName.h"
#include "UrlServices.h"

#include <oaidl.h>

#include <string>

// Constants_SoundFlags.
namespace SoundFlag {
constexpr LONG WaitAndPlay = 1;
constexpr LONG Download = 2;
constexpr LONG PlayDefault = 4;
constexpr LONG PlayIfCached = 8;
constexpr LONG PlayWhenDownloaded = 16;
constexpr LONG PlaySystemSound = 32;
} // namespace SoundFlag

class SoundPlayer
{
public:
    // The download id of a sound: the DISPID of PlaySoundFile.
    static constexpr DWORD DownloadId = 30;

    // services is not owned.
    explicit SoundPlayer(UrlServices& services) : m_services(services) {}

    // soundFlags may be null or missing (hvWaitAndPlay then).
    void PlaySoundFile(BSTR sound, const VARIANT* soundFlags, bool hasBindHost);
    // The progress of the sound download (status codes of
    // BINDSTATUS); plays the file when it has arrived and was asked for.
    void OnProgress(ULONG status, LPCWSTR text, bool hasBindHost);
    // The binding stopped: a download whose data end was not announced
    // ends here, played as at its end when it succeeded, silently else.
    void OnStop(HRESULT result, bool hasBindHost);

    bool IsDownloading() const { return m_downloading; }
    const std::wstring& SoundName() const { return m_name; }
    LONG SoundFlags() const { return m_flags; }

private:
    void PlayUrl(const std::wstring& url);
    void Finish(bool play, bool hasBindHost);

    UrlServices& m_services;
    std::wstring m_name;
    LONG m_flags = SoundFlag::WaitAndPlay;
    bool m_downloading = false;
    DownloadCacheName m_cacheFile;
};
