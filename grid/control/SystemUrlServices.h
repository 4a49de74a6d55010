// SystemUrlServices: the URL services of a control: the cache through
// wininet (loaded by name once for the process, never freed), downloads
// through the framework and sounds through winmm.
#pragma once

#include "UrlServices.h"

class CControlBase;

class SystemUrlServices final : public UrlServices
{
public:
    // control is not owned; the downloads report to it.
    explicit SystemUrlServices(CControlBase* control) : m_control(control) {}

    bool FindCachedFile(const std::wstring& url, std::wstring& localFile) override;
    bool DownloadToCache(const std::wstring& url, std::wstring& localFile) override;
    HRESULT StartDownload(DWORD id, const std::wstring& url) override;
    void PlaySound(const std::wstring& name, UINT flags) override;

private:
    CControlBase* m_control;
};
