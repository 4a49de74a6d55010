// Late-bound calls through IDispatch.
#include "LateBound.h"

#include <algorithm>

namespace {

void Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args, bool put,
            LateResult& result)
{
    DISPID id = DispIdOf(object, name);
    std::reverse(args.begin(), args.end());
    DISPPARAMS params = {};
    DISPID named = DISPID_PROPERTYPUT;
    params.cArgs = static_cast<UINT>(args.size());
    params.rgvarg = args.empty() ? nullptr : args.data();
    if (put) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &named;
    }
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    VariantClear(&result.value);
    result.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, put ? nullptr : &result.value,
                               &exception, &argumentError);
    if (result.hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn)
            exception.pfnDeferredFillIn(&exception);
        result.scode = exception.scode;
        result.description = exception.bstrDescription ? exception.bstrDescription : L"";
    }
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
}

} // namespace

DISPID DispIdOf(IDispatch* object, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

void LateGet(IDispatch* object, const wchar_t* name, LateResult& result, std::vector<VARIANT> args)
{
    Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args), false, result);
}

void LatePut(IDispatch* object, const wchar_t* name, const VARIANT& value, LateResult& result, WORD kind)
{
    Invoke(object, name, kind, {value}, true, result);
}

void LateCall(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args, LateResult& result)
{
    Invoke(object, name, DISPATCH_METHOD, std::move(args), false, result);
}
