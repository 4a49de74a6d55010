// DataErrors: raising the data layer's own errors.
#include "DataErrors.h"

#include "ResourceModule.h"

#include <oleauto.h>

const GUID kDataErrorGuid = {0x5d6b3a41, 0x8c1e, 0x4f27, {0x9a, 0x30, 0x61, 0x0e, 0x4b, 0x77, 0x2c, 0xd5}};

HRESULT RaiseDataError(DataError error, HRESULT hr)
{
    const UINT id = 8000 + static_cast<UINT>(error);
    char narrow[256] = {};
    LoadStringA(GetResourceInstance(0), id, narrow, sizeof narrow);
    wchar_t wide[256] = {};
    MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide, 256);

    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)))
        return hr;
    create->SetGUID(kDataErrorGuid);
    create->SetDescription(wide);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return hr;
}
