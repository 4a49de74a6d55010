// Owned arguments of late-bound calls.
#include "LateArg.h"

#include <new>
#include <utility>

namespace hv::automation {

LateArg::LateArg(const wchar_t* text) : LateArg()
{
    V_BSTR(&v_) = SysAllocString(text);
    if (!V_BSTR(&v_))
        throw std::bad_alloc();
    V_VT(&v_) = VT_BSTR;
}

LateArg::LateArg(IDispatch* object) : LateArg()
{
    V_VT(&v_) = VT_DISPATCH;
    V_DISPATCH(&v_) = object;
    if (object)
        object->AddRef();
}

LateArg LateArg::Copy(const VARIANT& value)
{
    LateArg copy;
    if (FAILED(VariantCopyInd(&copy.v_, const_cast<VARIANT*>(&value))))
        throw std::bad_alloc();
    return copy;
}

LateArg LateArg::Null()
{
    LateArg null;
    V_VT(&null.v_) = VT_NULL;
    return null;
}

LateArg LateArg::Date(double serial)
{
    LateArg date;
    V_VT(&date.v_) = VT_DATE;
    V_DATE(&date.v_) = serial;
    return date;
}

LateArg::LateArg(const LateArg& other) : LateArg()
{
    if (FAILED(VariantCopy(&v_, const_cast<VARIANT*>(&other.v_))))
        throw std::bad_alloc();
}

LateArg& LateArg::operator=(LateArg other) noexcept
{
    std::swap(v_, other.v_);
    return *this;
}

} // namespace hv::automation
