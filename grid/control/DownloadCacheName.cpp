// Following a download's cache file through its progress notices.
#include "DownloadCacheName.h"

#include <urlmon.h>

bool DownloadCacheName::Note(ULONG status, LPCWSTR text)
{
    switch (status) {
    case BINDSTATUS_BEGINDOWNLOADDATA:
        m_file.clear();
        return false;
    case BINDSTATUS_CACHEFILENAMEAVAILABLE:
        m_file = text ? text : L"";
        return false;
    case BINDSTATUS_ENDDOWNLOADDATA:
        return true;
    default:
        return false;
    }
}
