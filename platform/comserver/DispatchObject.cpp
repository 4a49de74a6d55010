// Automation errors of a server's objects.
#include "DispatchObject.h"

namespace hv::comserver {

HRESULT RaiseError(HRESULT hr, REFIID iid, const wchar_t* source, const std::wstring& description)
{
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(source));
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return hr;
}

} // namespace hv::comserver
