// ControlDownloads: the control's URL downloads: sounds (PlaySoundFile),
// layouts (LoadLayoutFromUrl), the ImagesURL picture strip, and the routing
// of the framework's progress and end notices to them and to the images
// object. The control holds one and forwards its OnUrlProgress and
// OnUrlStop here.
//
// A download ends once: at its "data ends" notice, or when the binding
// stops, whichever comes first (a file: URL sends no "data ends"). A stop
// with a failure ends a sound or layout download without playing or
// loading anything, and the images stay as they are.
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
    // Starts the download of the ImagesURL strip; the images object takes
    // its progress.
    HRESULT StartImagesDownload(const std::wstring& url);
    HRESULT OnUrlProgress(DWORD id, ULONG progress, ULONG maximum, ULONG status, LPCWSTR text);
    void OnUrlStop(DWORD id, HRESULT result);

    const SoundPlayer& Sounds() const { return m_sounds; }
    const LayoutUrlLoader& Layouts() const { return m_layouts; }
    bool IsDownloadingImages() const { return m_imagesDownloading; }

private:
    DownloadHost& m_host;
    UrlServices& m_services;
    bool m_imagesDownloading = false;
    SoundPlayer m_sounds;
    LayoutUrlLoader m_layouts;
};
