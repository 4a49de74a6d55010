// Conversion of members' arguments.
#include "Arguments.h"

#include <oleauto.h>

#include <cmath>
#include <initializer_list>

namespace hv::sheet::server {

namespace {

// A converted copy that clears itself.
struct Converted {
    VARIANT v;
    Converted(const VARIANT& from, VARTYPE type)
    {
        VariantInit(&v);
        const VARIANT& source = Deref(from);
        const VARTYPE t = V_VT(&source);
        const bool accepted = t == VT_I2 || t == VT_I4 || t == VT_R4 || t == VT_R8 || t == VT_BOOL ||
                              t == VT_BSTR || t == VT_UI1 || t == VT_I1 || t == VT_UI2 || t == VT_UI4 ||
                              t == VT_INT || t == VT_UINT || t == VT_CY || t == VT_DECIMAL || t == VT_DATE ||
                              t == VT_I8 || t == VT_UI8;
        if (!accepted || FAILED(VariantChangeType(&v, const_cast<VARIANT*>(&source), 0, type)))
            Fail(L"The value is not of a kind this member accepts.", DISP_E_TYPEMISMATCH);
    }
    ~Converted() { VariantClear(&v); }
    Converted(const Converted&) = delete;
    Converted& operator=(const Converted&) = delete;
};

} // namespace

void Fail(const std::wstring& text, HRESULT hr)
{
    throw Failure{hr, text};
}

bool IsMissing(const VARIANT& v)
{
    const VARIANT& d = Deref(v);
    return V_VT(&d) == VT_EMPTY || (V_VT(&d) == VT_ERROR && V_ERROR(&d) == DISP_E_PARAMNOTFOUND);
}

const VARIANT& Deref(const VARIANT& v)
{
    const VARIANT* p = &v;
    while (V_VT(p) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(p))
        p = V_VARIANTREF(p);
    return *p;
}

double ToDouble(const VARIANT& v)
{
    Converted c(v, VT_R8);
    if (!std::isfinite(V_R8(&c.v)))
        Fail(L"The number is not finite.");
    return V_R8(&c.v);
}

long ToLong(const VARIANT& v)
{
    Converted c(v, VT_I4);
    return V_I4(&c.v);
}

bool ToBool(const VARIANT& v)
{
    Converted c(v, VT_BOOL);
    return V_BOOL(&c.v) != VARIANT_FALSE;
}

std::wstring ToText(const VARIANT& v)
{
    Converted c(v, VT_BSTR);
    return std::wstring(V_BSTR(&c.v), SysStringLen(V_BSTR(&c.v)));
}

long ToLongIn(const VARIANT& v, long low, long high, const wchar_t* what)
{
    const double d = ToDouble(v);
    if (d < low || d > high || d != std::floor(d))
        Fail(std::wstring(what) + L" must be a whole number from " + std::to_wstring(low) + L" to " +
             std::to_wstring(high) + L".");
    return static_cast<long>(d);
}

double ToDoubleIn(const VARIANT& v, double low, double high, const wchar_t* what)
{
    const double d = ToDouble(v);
    if (d < low || d > high)
        Fail(std::wstring(what) + L" is out of range.");
    return d;
}

long ToOneOf(const VARIANT& v, std::initializer_list<long> allowed, const wchar_t* what)
{
    const double d = ToDouble(v);
    for (long a : allowed)
        if (d == a)
            return a;
    Fail(std::wstring(what) + L": the value is not one this member accepts.");
}

void SetResult(VARIANT* out, double value)
{
    V_VT(out) = VT_R8;
    V_R8(out) = value;
}

void SetResult(VARIANT* out, long value)
{
    V_VT(out) = VT_I4;
    V_I4(out) = value;
}

void SetResultBool(VARIANT* out, bool value)
{
    V_VT(out) = VT_BOOL;
    V_BOOL(out) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetResult(VARIANT* out, const std::wstring& text)
{
    V_VT(out) = VT_BSTR;
    V_BSTR(out) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!V_BSTR(out)) {
        V_VT(out) = VT_EMPTY;
        throw std::bad_alloc();
    }
}

} // namespace hv::sheet::server
