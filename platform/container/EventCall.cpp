// Reading and writing the arguments of a received event.
#include "EventCall.h"

namespace hv::container {

namespace {

bool ReadValueProperty(IDispatch* object, VARIANT& value)
{
    if (!object)
        return false;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return SUCCEEDED(object->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr,
                                    nullptr));
}

bool WriteValueProperty(IDispatch* object, const VARIANT& value)
{
    if (!object)
        return false;
    VARIANT argument = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, &named, 1, 1};
    return SUCCEEDED(object->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                                    nullptr));
}


} // namespace

VARIANTARG* EventCall::Arg(UINT index) const
{
    if (!params_ || index >= params_->cArgs)
        return nullptr;
    return &params_->rgvarg[params_->cArgs - 1 - index];
}

VARTYPE EventCall::Type(UINT index) const
{
    const VARIANTARG* arg = Arg(index);
    return arg ? arg->vt : static_cast<VARTYPE>(VT_EMPTY);
}

bool EventCall::Get(UINT index, VARTYPE type, VARIANT& value) const
{
    VariantInit(&value);
    VARIANTARG* arg = Arg(index);
    if (!arg)
        return false;
    VARIANT source;
    VariantInit(&source);
    if (arg->vt == VT_DISPATCH || arg->vt == (VT_DISPATCH | VT_BYREF)) {
        IDispatch* object = arg->vt == VT_DISPATCH ? arg->pdispVal : (arg->ppdispVal ? *arg->ppdispVal : nullptr);
        if (type == VT_DISPATCH) {
            value.vt = VT_DISPATCH;
            value.pdispVal = object;
            if (object)
                object->AddRef();
            return true;
        }
        if (!ReadValueProperty(object, source))
            return false;
    } else if (FAILED(VariantCopyInd(&source, arg))) {
        return false;
    }
    const HRESULT hr = VariantChangeType(&value, &source, 0, type);
    VariantClear(&source);
    return SUCCEEDED(hr);
}

SHORT EventCall::Short(UINT index) const
{
    VARIANT v;
    return Get(index, VT_I2, v) ? v.iVal : 0;
}

LONG EventCall::Long(UINT index) const
{
    VARIANT v;
    return Get(index, VT_I4, v) ? v.lVal : 0;
}

float EventCall::Single(UINT index) const
{
    VARIANT v;
    return Get(index, VT_R4, v) ? v.fltVal : 0.0f;
}

bool EventCall::Bool(UINT index) const
{
    VARIANT v;
    return Get(index, VT_BOOL, v) && v.boolVal != VARIANT_FALSE;
}

std::wstring EventCall::String(UINT index) const
{
    VARIANT v;
    if (!Get(index, VT_BSTR, v))
        return std::wstring();
    std::wstring text(v.bstrVal ? v.bstrVal : L"", v.bstrVal ? SysStringLen(v.bstrVal) : 0);
    VariantClear(&v);
    return text;
}

IDispatch* EventCall::Object(UINT index) const
{
    const VARIANTARG* arg = Arg(index);
    if (!arg)
        return nullptr;
    if (arg->vt == VT_DISPATCH)
        return arg->pdispVal;
    if (arg->vt == (VT_DISPATCH | VT_BYREF) && arg->ppdispVal)
        return *arg->ppdispVal;
    return nullptr;
}

bool EventCall::Set(UINT index, const VARIANT& value) const
{
    VARIANTARG* arg = Arg(index);
    if (!arg)
        return false;
    if (IDispatch* object = Object(index))
        return WriteValueProperty(object, value);
    if (!(arg->vt & VT_BYREF) || !arg->byref)
        return false;
    const VARTYPE target = arg->vt & ~VT_BYREF;
    VARIANT converted;
    VariantInit(&converted);
    if (target == VT_VARIANT) {
        VARIANT* slot = arg->pvarVal;
        VariantClear(slot);
        return SUCCEEDED(VariantCopy(slot, const_cast<VARIANT*>(&value)));
    }
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, target)))
        return false;
    switch (target) {
    case VT_I2: *arg->piVal = converted.iVal; break;
    case VT_I4: *arg->plVal = converted.lVal; break;
    case VT_R4: *arg->pfltVal = converted.fltVal; break;
    case VT_R8: *arg->pdblVal = converted.dblVal; break;
    case VT_BOOL: *arg->pboolVal = converted.boolVal; break;
    case VT_BSTR:
        SysFreeString(*arg->pbstrVal);
        *arg->pbstrVal = converted.bstrVal;
        return true;
    default:
        VariantClear(&converted);
        return false;
    }
    return true;
}

bool EventCall::SetShort(UINT index, SHORT value) const
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = value;
    return Set(index, v);
}

bool EventCall::SetLong(UINT index, LONG value) const
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return Set(index, v);
}

bool EventCall::SetBool(UINT index, bool value) const
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Set(index, v);
}

} // namespace hv::container
