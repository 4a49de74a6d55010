// ControlDownloads: the control's URL downloads: sounds (PlaySoundFile),
// layouts (LoadLayoutFromUrl) and the routing of the framework's progress
// notices to them and to the images object. The control holds one and
// forwards its OnUrlProgress here.
#pragma once

#include "DownloadHost.h"
#include "LayoutUrlLoader.h"
#include "SoundPlayer.h"

class ControlDownloads
{
public:
    // The download id of the ImagesURL picture strip.
    static constexpr DWORD ImagesDownloadId = 2102;

    // Neither is owned.
    ControlDownloads(DownloadHost& host, UrlServices& services);

    void PlaySoundFile(BSTR sound, const VARIANT* soundFlags);
    HRESULT LoadLayoutFromUrl(VARIANT* url, const LayoutLoadRequest* request);
    HRESULT OnUrlProgress(DWORD id, ULONG progress, ULONG maximum, ULONG status, LPCWSTR text);

    const SoundPlayer& Sounds() const { return m_sounds; }
    const LayoutUrlLoader& Layouts() const { return m_layouts; }

private:
    DownloadHost& m_host;
    SoundPlayer m_sounds;
    LayoutUrlLoader m_layouts;
};
