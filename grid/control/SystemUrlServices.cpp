// The URL cache, downloads and the sound device as the system offers them.
#include "SystemUrlServices.h"

#include "ControlBase.h"
#include "DualString.h"
#include "PictureLoading.h"
#include "UrlDownload.h"

#include <mmsystem.h>
#include <wininet.h>

namespace {

using GetUrlCacheEntryInfoWFunction = BOOL(WINAPI*)(LPCWSTR, LPINTERNET_CACHE_ENTRY_INFOW, LPDWORD);

// Process-wide: loaded on first need and kept.
GetUrlCacheEntryInfoWFunction CacheEntryFunction()
{
    static HMODULE module = LoadLibraryW(L"wininet.dll");
    if (!module)
        return nullptr;
    return reinterpret_cast<GetUrlCacheEntryInfoWFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "GetUrlCacheEntryInfoW")));
}

bool FileExists(const wchar_t* path)
{
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(path, &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

constexpr DWORD CacheEntryBufferSize = 2128;
constexpr DWORD LocalNameLength = 1024;

} // namespace

bool SystemUrlServices::FindCachedFile(const std::wstring& url, std::wstring& localFile)
{
    const GetUrlCacheEntryInfoWFunction getEntry = CacheEntryFunction();
    if (!getEntry)
        return false;
    alignas(INTERNET_CACHE_ENTRY_INFOW) BYTE buffer[CacheEntryBufferSize] = {};
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer);
    entry->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOW);
    DWORD size = CacheEntryBufferSize;
    if (!getEntry(url.c_str(), entry, &size) || !entry->lpszLocalFileName)
        return false;
    // A sparse entry holds an incomplete download.
    if ((entry->CacheEntryType & SPARSE_CACHE_ENTRY) || !FileExists(entry->lpszLocalFileName))
        return false;
    localFile = entry->lpszLocalFileName;
    return true;
}

bool SystemUrlServices::DownloadToCache(const std::wstring& url, std::wstring& localFile)
{
    const CDualString narrow(url.c_str());
    char name[LocalNameLength] = {};
    IUnknown* caller = m_control ? m_control->ControllingUnknown() : nullptr;
    if (FAILED(DownloadUrlToCacheFile(caller, narrow.c_str(), name, LocalNameLength, 0, nullptr)))
        return false;
    name[LocalNameLength - 1] = '\0';
    wchar_t wide[LocalNameLength] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, name, -1, wide, LocalNameLength))
        return false;
    localFile = wide;
    return true;
}

HRESULT SystemUrlServices::StartDownload(DWORD id, const std::wstring& url)
{
    if (!m_control)
        return E_FAIL;
    return StartUrlDownload(m_control, id, url.c_str(), true);
}

void SystemUrlServices::PlaySound(const std::wstring& name, UINT flags)
{
    sndPlaySoundW(name.c_str(), flags);
}
