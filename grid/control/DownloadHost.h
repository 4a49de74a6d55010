// DownloadHost: what the control's downloads need of the grid control:
// whether its container offers a bind host, the automation error raise and
// the images object, which takes the progress of the ImagesURL strip.
#pragma once

#include <windows.h>

class DownloadHost
{
public:
    virtual bool HasBindHost() = 0;
    // Sets the error information (string-table id) and returns result.
    virtual HRESULT RaiseError(HRESULT result, WORD stringId) = 0;
    // Hands the ImagesURL download's progress to the images object.
    virtual HRESULT ImagesUrlProgress(ULONG progress, ULONG maximum, ULONG status, LPCWSTR text) = 0;

protected:
    ~DownloadHost() = default;
};
