// The control's sound and layout downloads and their progress.
#include "ControlDownloads.h"

ControlDownloads::ControlDownloads(DownloadHost& host, UrlServices& services)
    : m_host(host), m_sounds(services), m_layouts(services, host)
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

HRESULT ControlDownloads::OnUrlProgress(DWORD id, ULONG progress, ULONG maximum, ULONG status, LPCWSTR text)
{
    switch (id) {
    case ImagesDownloadId:
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
