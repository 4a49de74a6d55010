// Ambient property values of a container.
#include "AmbientProperties.h"

#include "CallLog.h"

#include <olectl.h>

namespace hv::container {

namespace {

struct AmbientName {
    DISPID dispid;
    const wchar_t* name;
};

const AmbientName kNames[] = {
    {DISPID_AMBIENT_USERMODE, L"UserMode"},
    {DISPID_AMBIENT_LOCALEID, L"LocaleID"},
    {DISPID_AMBIENT_FONT, L"Font"},
    {DISPID_AMBIENT_MESSAGEREFLECT, L"MessageReflect"},
    {DISPID_AMBIENT_SCALEUNITS, L"ScaleUnits"},
    {DISPID_AMBIENT_BACKCOLOR, L"BackColor"},
    {DISPID_AMBIENT_FORECOLOR, L"ForeColor"},
    {DISPID_AMBIENT_DISPLAYNAME, L"DisplayName"},
};

} // namespace

AmbientProperties::AmbientProperties()
{
    SetBool(DISPID_AMBIENT_USERMODE, true);
    SetLong(DISPID_AMBIENT_LOCALEID, static_cast<LONG>(GetUserDefaultLCID()));
    SetBool(DISPID_AMBIENT_MESSAGEREFLECT, true);
    SetString(DISPID_AMBIENT_SCALEUNITS, L"Twip");
}

AmbientProperties::~AmbientProperties()
{
    for (auto& [dispid, value] : values_)
        VariantClear(&value);
}

void AmbientProperties::Set(DISPID dispid, const VARIANT& value)
{
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, const_cast<VARIANT*>(&value));
    Remove(dispid);
    failures_.erase(dispid);
    values_[dispid] = copy;
}

void AmbientProperties::SetBool(DISPID dispid, bool value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    Set(dispid, v);
}

void AmbientProperties::SetLong(DISPID dispid, LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    Set(dispid, v);
}

void AmbientProperties::SetString(DISPID dispid, const wchar_t* value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(value);
    Set(dispid, v);
    VariantClear(&v);
}

void AmbientProperties::Remove(DISPID dispid)
{
    auto it = values_.find(dispid);
    if (it != values_.end()) {
        VariantClear(&it->second);
        values_.erase(it);
    }
}

void AmbientProperties::SetFailure(DISPID dispid, HRESULT result)
{
    failures_[dispid] = result;
}

void AmbientProperties::ClearFailure(DISPID dispid)
{
    failures_.erase(dispid);
}

int AmbientProperties::ReadCount(DISPID dispid) const
{
    auto it = reads_.find(dispid);
    return it == reads_.end() ? 0 : it->second;
}

HRESULT AmbientProperties::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* dispids) const
{
    if (!names || !dispids)
        return E_POINTER;
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        dispids[i] = DISPID_UNKNOWN;
        if (i > 0) {
            result = DISP_E_UNKNOWNNAME;
            continue;
        }
        bool found = false;
        for (const AmbientName& known : kNames) {
            if (names[i] && _wcsicmp(names[i], known.name) == 0) {
                dispids[i] = known.dispid;
                found = true;
            }
        }
        if (!found)
            result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT AmbientProperties::MakeDefaultFont(VARIANT& value)
{
    FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Tahoma"), {{82500, 0}}, FW_NORMAL,
                            ANSI_CHARSET, FALSE, FALSE, FALSE};
    IFontDisp* font = nullptr;
    const HRESULT hr = OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font));
    if (FAILED(hr))
        return hr;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = font;
    return S_OK;
}

HRESULT AmbientProperties::Invoke(DISPID dispid, WORD flags, DISPPARAMS*, VARIANT* result)
{
    ++reads_[dispid];
    if (log_)
        log_->Add(L"Ambient(" + std::to_wstring(dispid) + L")");
    if (!(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    auto failure = failures_.find(dispid);
    if (failure != failures_.end())
        return failure->second;
    if (dispid == DISPID_AMBIENT_FONT && !values_.count(dispid)) {
        VARIANT font;
        const HRESULT hr = MakeDefaultFont(font);
        if (FAILED(hr))
            return hr;
        values_[dispid] = font;
    }
    auto it = values_.find(dispid);
    if (it == values_.end())
        return DISP_E_MEMBERNOTFOUND;
    if (!result)
        return S_OK;
    VariantInit(result);
    return VariantCopy(result, &it->second);
}

bool AmbientProperties::Peek(DISPID dispid, VARTYPE type, VARIANT* value) const
{
    if (!value || failures_.count(dispid))
        return false;
    auto it = values_.find(dispid);
    if (it == values_.end())
        return false;
    VariantInit(value);
    return SUCCEEDED(VariantChangeType(value, const_cast<VARIANT*>(&it->second), 0, type));
}

} // namespace hv::container
