// Late-bound calls by member name.
#include "Late.h"

#include <stdexcept>

namespace corpus {

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

DISPID IdOf(IDispatch* object, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (!object || FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        throw std::runtime_error("no member " + Narrow(name));
    return id;
}

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments, VARIANT* out)
{
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    Var ignored;
    HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                out ? out : &ignored.v, &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (hr == DISP_E_EXCEPTION)
        hr = exception.scode ? exception.scode : E_FAIL;
    return hr;
}

void Require(HRESULT hr, const wchar_t* name)
{
    if (FAILED(hr))
        throw std::runtime_error("member " + Narrow(name) + " failed");
}

} // namespace

VARIANT Long(long value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Real(double value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}

VARIANT Flag(bool value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT Date(double value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_DATE;
    V_DATE(&v) = value;
    return v;
}

VARIANT Text(const std::wstring& text)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

VARIANT Object(IDispatch* object)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    return v;
}

VARIANT Omitted()
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

HRESULT TryGet(IDispatch* object, const wchar_t* name, VARIANT* out)
{
    return Invoke(object, name, DISPATCH_PROPERTYGET, {}, out);
}

void Put(IDispatch* object, const wchar_t* name, const VARIANT& value)
{
    Require(Invoke(object, name, DISPATCH_PROPERTYPUT, {value}, nullptr), name);
}

void PutRef(IDispatch* object, const wchar_t* name, const VARIANT& value)
{
    Require(Invoke(object, name, DISPATCH_PROPERTYPUTREF, {value}, nullptr), name);
}

void Call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* out)
{
    Require(Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(arguments), out), name);
}

IDispatch* GetObject(IDispatch* object, const wchar_t* name)
{
    return CallObject(object, name, {});
}

IDispatch* CallObject(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments)
{
    Var result;
    Call(object, name, std::move(arguments), &result.v);
    if (V_VT(&result.v) != VT_DISPATCH || !V_DISPATCH(&result.v))
        throw std::runtime_error("member " + Narrow(name) + " gave no object");
    IDispatch* found = V_DISPATCH(&result.v);
    found->AddRef();
    return found;
}

} // namespace corpus
