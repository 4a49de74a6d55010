// DownloadCacheName: the local cache file of an asynchronous download, as
// its progress notices announce it.
#pragma once

#include <windows.h>

#include <string>

class DownloadCacheName
{
public:
    // Takes one progress notice: data begins (the name is forgotten), the
    // cache file name is available (kept). True when the data has ended.
    bool Note(ULONG status, LPCWSTR text);
    const std::wstring& File() const { return m_file; }
    void Clear() { m_file.clear(); }

private:
    std::wstring m_file;
};
