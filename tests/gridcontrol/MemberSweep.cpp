#include "MemberSweep.h"

#include <wrl/client.h>

#include <cstdio>

using Microsoft::WRL::ComPtr;

namespace membersweep {
namespace {

// The type an argument is passed as: an interface of any kind as
// VT_DISPATCH (passed as Nothing), an enumeration as VT_I4.
VARTYPE BaseType(ITypeInfo* info, const TYPEDESC& type)
{
    switch (type.vt) {
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> ref;
        TYPEATTR* attr = nullptr;
        if (FAILED(info->GetRefTypeInfo(type.hreftype, ref.GetAddressOf())) || FAILED(ref->GetTypeAttr(&attr)))
            return VT_EMPTY;
        VARTYPE vt = VT_EMPTY;
        switch (attr->typekind) {
        case TKIND_ENUM:
            vt = VT_I4;
            break;
        case TKIND_ALIAS:
            vt = BaseType(ref.Get(), attr->tdescAlias);
            break;
        case TKIND_INTERFACE:
        case TKIND_DISPATCH:
        case TKIND_COCLASS:
            vt = VT_DISPATCH;
            break;
        default:
            break;
        }
        ref->ReleaseTypeAttr(attr);
        return vt;
    }
    case VT_PTR:
        return VT_DISPATCH;   // an interface pointer
    case VT_INT:
        return VT_I4;
    case VT_UINT:
        return VT_UI4;
    case VT_HRESULT:
        return VT_ERROR;
    default:
        return type.vt;
    }
}

// The default value of a type: zero, an empty string, Nothing, Empty.
void SetDefault(VARIANT& value, VARTYPE vt)
{
    VariantInit(&value);
    switch (vt) {
    case VT_VARIANT:
    case VT_EMPTY:
        return;
    case VT_BSTR:
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(L"");
        return;
    case VT_BOOL:
        value.vt = VT_BOOL;
        value.boolVal = VARIANT_FALSE;
        return;
    default:
        value.vt = vt;   // the union is zeroed: 0, 0.0, Nothing
        return;
    }
}

// One call: its arguments, in the reverse order DISPPARAMS wants, and the
// values that by-reference arguments point at.
class Call {
public:
    Call(ITypeInfo* info, const FUNCDESC& func, Optional optional)
    {
        const int count = func.cParams;
        values_.reserve(count);
        scratch_.reserve(count);
        for (int i = count - 1; i >= 0; --i) {
            const ELEMDESC& param = func.lprgelemdescParam[i];
            const USHORT flags = param.paramdesc.wParamFlags;
            if (flags & PARAMFLAG_FRETVAL)
                continue;
            VARIANT value;
            VariantInit(&value);
            if (flags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) {
                if (optional == Optional::Missing) {
                    value.vt = VT_ERROR;
                    value.scode = DISP_E_PARAMNOTFOUND;
                }
            } else if (param.tdesc.vt == VT_PTR && BaseType(info, *param.tdesc.lptdesc) != VT_DISPATCH &&
                       param.tdesc.lptdesc->vt != VT_VARIANT) {
                // A plain value by reference ([in] short* and the like).
                VARIANT& target = scratch_.emplace_back();
                SetDefault(target, BaseType(info, *param.tdesc.lptdesc));
                value.vt = static_cast<VARTYPE>(target.vt | VT_BYREF);
                value.byref = &target.lVal;
            } else {
                SetDefault(value, param.tdesc.vt == VT_PTR && param.tdesc.lptdesc->vt == VT_VARIANT
                                      ? static_cast<VARTYPE>(VT_VARIANT)
                                      : BaseType(info, param.tdesc));
            }
            values_.push_back(value);
        }
    }
    ~Call()
    {
        for (VARIANT& value : values_)
            if (!(value.vt & VT_BYREF))
                VariantClear(&value);
        for (VARIANT& value : scratch_)
            VariantClear(&value);
    }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    DISPPARAMS Params(bool put)
    {
        return DISPPARAMS{values_.data(), put ? &putId_ : nullptr, static_cast<UINT>(values_.size()),
                          put ? 1u : 0u};
    }

private:
    std::vector<VARIANT> values_;
    std::vector<VARIANT> scratch_;
    DISPID putId_ = DISPID_PROPERTYPUT;
};

std::wstring MemberName(ITypeInfo* info, const FUNCDESC& func)
{
    BSTR name = nullptr;
    info->GetDocumentation(func.memid, &name, nullptr, nullptr, nullptr);
    std::wstring text = name ? name : L"#" + std::to_wstring(func.memid);
    SysFreeString(name);
    switch (func.invkind) {
    case INVOKE_PROPERTYGET:
        return text + L" get";
    case INVOKE_PROPERTYPUT:
        return text + L" put";
    case INVOKE_PROPERTYPUTREF:
        return text + L" putref";
    default:
        return text;
    }
}

HRESULT Invoke(IDispatch* object, ITypeInfo* info, const FUNCDESC& func, Optional optional)
{
    Call call(info, func, optional);
    WORD flags = DISPATCH_METHOD;
    if (func.invkind == INVOKE_PROPERTYGET)
        flags = DISPATCH_PROPERTYGET;
    else if (func.invkind == INVOKE_PROPERTYPUT)
        flags = DISPATCH_PROPERTYPUT;
    else if (func.invkind == INVOKE_PROPERTYPUTREF)
        flags = DISPATCH_PROPERTYPUTREF;
    const bool put = flags == DISPATCH_PROPERTYPUT || flags == DISPATCH_PROPERTYPUTREF;
    DISPPARAMS params = call.Params(put);
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    HRESULT hr = object->Invoke(func.memid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, put ? nullptr : &result,
                                &exception, &argumentError);
    VariantClear(&result);
    if (hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn)
            exception.pfnDeferredFillIn(&exception);
        if (exception.scode)
            hr = exception.scode;
        else if (exception.wCode)
            hr = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, exception.wCode);
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

// Calls the members of an interface and of its bases, the bases first.
void SweepInterface(IDispatch* object, ITypeInfo* info, Optional optional, std::vector<Answer>& answers)
{
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr)))
        return;
    const GUID guid = attr->guid;
    const TYPEKIND kind = attr->typekind;
    const WORD typeFlags = attr->wTypeFlags;
    const WORD funcs = attr->cFuncs;
    const WORD bases = attr->cImplTypes;
    info->ReleaseTypeAttr(attr);
    if (IsEqualGUID(guid, IID_IDispatch) || IsEqualGUID(guid, IID_IUnknown))
        return;

    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> next;
    if (kind == TKIND_DISPATCH && (typeFlags & TYPEFLAG_FDUAL)) {
        // The dual interface's own description holds the same members.
        if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &ref)) &&
            SUCCEEDED(info->GetRefTypeInfo(ref, next.GetAddressOf())))
            SweepInterface(object, next.Get(), optional, answers);
        return;
    }
    if (kind == TKIND_INTERFACE && bases > 0 && SUCCEEDED(info->GetRefTypeOfImplType(0, &ref)) &&
        SUCCEEDED(info->GetRefTypeInfo(ref, next.GetAddressOf())))
        SweepInterface(object, next.Get(), optional, answers);
    for (UINT i = 0; i < funcs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func)))
            continue;
        answers.push_back({MemberName(info, *func), Invoke(object, info, *func, optional)});
        info->ReleaseFuncDesc(func);
    }
}

} // namespace

std::vector<Answer> Sweep(IDispatch* object, Optional optional)
{
    std::vector<Answer> answers;
    ComPtr<ITypeInfo> info;
    if (object && SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf())) && info)
        SweepInterface(object, info.Get(), optional, answers);
    return answers;
}

std::string Unexpected(const std::vector<Answer>& answers, const std::function<bool(const Answer&)>& judge)
{
    std::string text;
    for (const Answer& answer : answers) {
        if (judge(answer))
            continue;
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(answer.result));
        for (wchar_t c : answer.member)
            text += c < 0x80 ? static_cast<char>(c) : '?';
        text += std::string(" ") + code + "; ";
    }
    return text;
}

} // namespace membersweep
