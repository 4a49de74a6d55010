// The control's sound and layout downloads and their progress.
#include "ControlDownloads.h"

#include <urlmon.h>

ControlDownloads::ControlDownloads(DownloadHost& host, UrlServices& services)
    : m_host(host), m_services(services), m_sounds(services), m_layouts(services, host)
{
}

void ControlDownloads::PlaySoundFile(BSTR sound, const VARIANT* soundFlags)
{
    m_sounds.PlaySoundFile(sound, soundFlags, m_host.HasBindHost());
}

HRESULT ControlDownloads::LoadLayoutFromUrl(VARIANT* url, const LayoutLoadRequest* request)
{
    return m_layouts.LoadLayoutFromUrl(url, request);
}

HRESULT ControlDownloads::StartImagesDownload(const std::wstring& url)
{
    // Set first: the whole download may run inside the start.
    m_imagesDownloading = true;
    const HRESULT hr = m_services.StartDownload(ImagesDownloadId, url);
    if (FAILED(hr))
        m_imagesDownloading = false;
    return hr;
}

HRESULT ControlDownloads::OnUrlProgress(DWORD id, ULONG progress, ULONG maximum, ULONG status, LPCWSTR text)
{
    switch (id) {
    case ImagesDownloadId:
        if (status == BINDSTATUS_ENDDOWNLOADDATA)
            m_imagesDownloading = false;
        return m_host.ImagesUrlProgress(progress, maximum, status, text);
    case SoundPlayer::DownloadId:
        m_sounds.OnProgress(status, text, m_host.HasBindHost());
        return S_OK;
    case LayoutUrlLoader::DownloadId:
        m_layouts.OnProgress(status, text);
        return S_OK;
    default:
        return S_OK;
    }
}

void ControlDownloads::OnUrlStop(DWORD id, HRESULT result)
{
    switch (id) {
    case ImagesDownloadId:
        if (!m_imagesDownloading)
            return;
        m_imagesDownloading = false;
        // What arrived is taken as the data's end would have taken it.
        if (SUCCEEDED(result))
            m_host.ImagesUrlProgress(0, 0, BINDSTATUS_ENDDOWNLOADDATA, nullptr);
        return;
    case SoundPlayer::DownloadId:
        m_sounds.OnStop(result, m_host.HasBindHost());
        return;
    case LayoutUrlLoader::DownloadId:
        m_layouts.OnStop(result);
        return;
    default:
        return;
    }
}
