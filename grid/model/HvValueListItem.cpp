// HvValueListItem: properties, shown text, value matching and persistence of
// one value-list entry.
#include "HvValueListItem.h"

#include "AppearanceData.h"
#include "HvAppearance.h"
#include "HvLayoutHost.h"
#include "HvValueList.h"
#include "HvValueListItems.h"
#include "StreamText.h"
#include "SubscriptionLink.h"
#include "ValueListCategories.h"
#include "ValueListLayoutSeam.h"

#include <cstring>
#include <new>

namespace {

constexpr USHORT kChangeFlags = VARIANT_NOVALUEPROP | VARIANT_LOCALBOOL;
// The data value's stream form: its VARTYPE, then for the kept scalar types
// the 14 bytes of the VARIANT that follow the type (reserved words, value).
// The kept types are those DataValue accepts.
constexpr ULONG kVariantTailBytes = 14;

bool IsKeptType(VARTYPE type)
{
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_BSTR:
    case VT_ERROR:
    case VT_BOOL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_HRESULT:
    case VT_DATE:
        return true;
    default:
        return false;
    }
}

// Bytes of the value part that a scalar type uses.
ULONG ValueBytes(VARTYPE type)
{
    switch (type) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_EMPTY:
    case VT_NULL:
        return 0;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    default:
        return 4;
    }
}

// Zeroes the reserved words and the unused value bytes of a scalar, so that
// the stream form of a value depends on the value alone.
void ClearUnusedBytes(VARIANT& value)
{
    value.wReserved1 = value.wReserved2 = value.wReserved3 = 0;
    const ULONG used = ValueBytes(V_VT(&value));
    BYTE* bytes = reinterpret_cast<BYTE*>(&value) + 8;
    if (used < 8)
        std::memset(bytes + used, 0, 8 - used);
}

} // namespace

HvValueListItem::HvValueListItem(ValueListLayoutSeam* layout, HvValueList* list, HvValueListItems* collection)
    : HvObjectBaseImpl(ObjectType::HvValueListItem), layout_(layout), list_(list)
{
    VariantInit(&value_);
    appearance_.Init(layout_ ? layout_->Host() : nullptr, layout_ ? layout_->Appearances() : nullptr, this);
    collectionLink_.reset(new SubscriptionLink(collection));
    if (collection)
        collectionLink_->RelinkSubscription(this);
}

HvValueListItem::~HvValueListItem()
{
    Deactivate();
    collectionLink_.reset();
    VariantClear(&value_);
    DetachAllSubscribers();
}

HRESULT HvValueListItem::Create(ValueListLayoutSeam* layout, HvValueList* list, HvValueListItems* collection,
                                HvValueListItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvValueListItem(layout, list, collection);
        return S_OK;
    });
}

HvValueListItem* HvValueListItem::FromObject(IUnknown* object)
{
    return dynamic_cast<HvValueListItem*>(HvKeyedItem::FromObject(object));
}

HRESULT HvValueListItem::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
    } else if (out && IsEqualIID(iid, IID_HvPropertyQuery)) {
        *out = static_cast<HvPropertyQuery*>(this);
    } else {
        return CDualObject::InternalQueryInterface(iid, out);
    }
    CUnknownObject::AddRef();
    return S_OK;
}

void HvValueListItem::ReleaseReferences()
{
    LeaveCollection();
    appearance_.Detach();
    layout_ = nullptr;
}

void HvValueListItem::LeaveCollection()
{
    if (collectionLink_)
        collectionLink_->Unlink();
    list_ = nullptr;
}

// --- appearance ------------------------------------------------------------

STDMETHODIMP HvValueListItem::get_Appearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        return appearance_.QueryAppearance(out);
    });
}

STDMETHODIMP HvValueListItem::putref_Appearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return Guard([&] { return PutAppearanceValue(*value); });
}

STDMETHODIMP HvValueListItem::put_Appearance(VARIANT value)
{
    return Guard([&] { return PutAppearanceValue(value); });
}

HRESULT HvValueListItem::PutAppearanceValue(const VARIANT& value)
{
    if (!IsActive())
        return NotActiveError();
    bool changed = false;
    HRESULT hr = appearance_.PutValue(value, &changed);
    if (SUCCEEDED(hr) && changed)
        NotifySubscribers(AppearanceId, 0);
    return hr;
}

void HvValueListItem::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    HvAppearance* appearance = appearance_.GetAppearance();
    if (appearance && notice->publisher == static_cast<ChangePublisher*>(appearance))
        NotifySubscribers(AppearanceId, reinterpret_cast<std::intptr_t>(notice));
}

bool HvValueListItem::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    HvAppearance* appearance = appearance_.GetAppearance();
    if (!appearance || static_cast<ChangePublisher*>(appearance) != from)
        return true;
    // The reference takes the new appearance itself; its own link moves.
    const bool changed = appearance_.SetAppearance(dynamic_cast<HvAppearance*>(to));
    NotifySubscribers(AppearanceId, 0);
    return !changed;
}

// --- text and value --------------------------------------------------------

STDMETHODIMP HvValueListItem::get_DisplayText(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = displayText_.AllocSysString();
    return *out || displayText_.IsEmpty() ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvValueListItem::put_DisplayText(BSTR value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        CDualString text(static_cast<const wchar_t*>(value));
        if (std::strcmp(text.c_str(), displayText_.c_str()) == 0)
            return S_OK;
        displayText_.Assign(text);
        NotifySubscribers(DisplayTextId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvValueListItem::get_DataValue(VARIANT* out)
{
    if (!out)
        return E_INVALIDARG;
    VariantInit(out);
    return VariantCopyInd(out, &value_);
}

STDMETHODIMP HvValueListItem::putref_DataValue(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return Guard([&] { return PutDataValue(*value); });
}

STDMETHODIMP HvValueListItem::put_DataValue(VARIANT value)
{
    return Guard([&] { return PutDataValue(value); });
}

HRESULT HvValueListItem::PutDataValue(const VARIANT& value)
{
    if (!IsActive())
        return NotActiveError();
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopyInd(&copy, const_cast<VARIANT*>(&value));
    if (FAILED(hr))
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (V_VT(&copy) != VT_EMPTY && ComparableValue::KindOf(copy) == ComparableValue::None) {
        VariantClear(&copy);
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    }
    SetDataValue(copy);
    NotifySubscribers(DataValueId, 0);
    return S_OK;
}

// Takes value over (it is left empty).
void HvValueListItem::SetDataValue(VARIANT& value)
{
    VariantClear(&value_);
    value_ = value;
    VariantInit(&value);
    ClearUnusedBytes(value_);
    comparable_.reset();
}

STDMETHODIMP HvValueListItem::get_Index(long* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HvValueListItems* items = list_ ? list_->GetValueListItems(false) : nullptr;
        *out = items ? items->IndexOfItem(this) : -1;
        return S_OK;
    });
}

STDMETHODIMP HvValueListItem::IsReadOnly(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = VARIANT_FALSE;
    return IsActive() ? S_OK : NotActiveError();
}

STDMETHODIMP HvValueListItem::IsValueProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid != AppearanceId ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvValueListItem::IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == AppearanceId ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

void HvValueListItem::GetDataValueText(CDualString& out) const
{
    out.Empty();
    VARIANT text;
    VariantInit(&text);
    if (V_VT(&value_) == VT_NULL)
        return;
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value_), kChangeFlags, VT_BSTR)))
        out.AssignWide(V_BSTR(&text));
    VariantClear(&text);
}

void HvValueListItem::GetText(CDualString& out)
{
    const BYTE style = list_ ? list_->DisplayStyleValue() : 0;
    switch (style) {
    case 0:
        if (displayText_.IsEmpty())
            GetDataValueText(out);
        else
            out.Assign(displayText_);
        break;
    case 3:
    case 4:
        out.Assign(displayText_);
        break;
    case 1:
    case 2:
        GetDataValueText(out);
        break;
    default:
        out.Empty();
        break;
    }
}

bool HvValueListItem::ShowsPicture() const
{
    const BYTE style = list_ ? list_->DisplayStyleValue() : 0;
    return style == 2 || style == 4 || style == 5;
}

bool HvValueListItem::GetPicture(VARIANT* out)
{
    const BYTE style = list_ ? list_->DisplayStyleValue() : 0;
    if (!out || style == 1 || style == 3)
        return false;
    AppearanceData data;
    std::uint32_t resolved = 0;
    if (const AppearanceData* own = appearance_.GetAppearanceData())
        AppearanceData::ResolveAppearance(data, *own, AppearanceBit::Picture, &resolved);
    if (!resolved && list_)
        if (const AppearanceData* shared = list_->Appearance().GetAppearanceData())
            AppearanceData::ResolveAppearance(data, *shared, AppearanceBit::Picture, &resolved);
    return data.Picture() && SUCCEEDED(VariantCopy(out, const_cast<VARIANT*>(data.Picture())));
}

bool HvValueListItem::MatchesValue(ComparableValue& criterion, VARTYPE criterionType)
{
    const VARTYPE mine = V_VT(&value_);
    if (mine == VT_EMPTY || mine == VT_NULL)
        return criterionType == mine;
    if (!comparable_)
        comparable_.reset(new ComparableValue(value_));
    const VARTYPE kind = comparable_->GetKind();
    if (kind == ComparableValue::None || !criterion.ConvertTo(kind))
        return false;
    return criterion.Compare(*comparable_) == 0;
}

// --- persistence -----------------------------------------------------------

STDMETHODIMP HvValueListItem::Save(IStream* stream, LONG arg)
{
    return Guard([&] { return SaveToStream(stream, arg); });
}

STDMETHODIMP HvValueListItem::Load(IStream* stream, LONG arg)
{
    return Guard([&] { return LoadFromStream(stream, arg); });
}

bool HvValueListItem::HasData(DWORD code, LONG categories)
{
    if (!IncludesValueLists(categories))
        return false;
    switch (code) {
    case CodeAppearance:
        return appearance_.IsSet();
    case CodeDataValue:
        return IsKeptType(V_VT(&value_));
    case CodeDisplayText:
        return !displayText_.IsEmpty();
    case CodeTag:
        return !tag_.IsEmpty();
    default:
        return false;
    }
}

HRESULT HvValueListItem::SaveDataValue(IStream* stream) const
{
    const VARTYPE type = V_VT(&value_);
    HRESULT hr = WriteBytes(stream, &type, sizeof type);
    if (FAILED(hr))
        return hr;
    if (type == VT_BSTR)
        return WriteBstrToStream(stream, V_BSTR(&value_));
    return WriteBytes(stream, reinterpret_cast<const BYTE*>(&value_) + sizeof type, kVariantTailBytes);
}

HRESULT HvValueListItem::ReadDataValue(IStream* stream, VARIANT* out)
{
    VARIANT value;
    std::memset(&value, 0, sizeof value);
    HRESULT hr = ReadBytes(stream, &V_VT(&value), sizeof(VARTYPE));
    if (FAILED(hr))
        return hr;
    const VARTYPE type = V_VT(&value);
    // Nothing but the kept types is ever written: what follows another
    // type cannot be measured.
    if (!IsKeptType(type))
        return E_FAIL;
    if (type == VT_BSTR) {
        BSTR text = nullptr;
        hr = ReadBstrFromStream(stream, &text);
        if (FAILED(hr))
            return hr;
        V_BSTR(&value) = text;
    } else {
        hr = ReadBytes(stream, reinterpret_cast<BYTE*>(&value) + sizeof type, kVariantTailBytes);
        if (FAILED(hr))
            return hr;
        // What was written held a sound value and zeroes in the bytes the
        // type leaves unused; anything else is damage.
        VARIANT canonical = value;
        ClearUnusedBytes(canonical);
        if (std::memcmp(&canonical, &value, sizeof value) != 0)
            return E_FAIL;
        if (type == VT_BOOL && V_BOOL(&value) != VARIANT_TRUE && V_BOOL(&value) != VARIANT_FALSE)
            return E_FAIL;
    }
    *out = value;
    return S_OK;
}

HRESULT HvValueListItem::Save(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CodeAppearance:
        return appearance_.SaveToStream(stream, AppearancesInline(categories), categories);
    case CodeDataValue:
        return SaveDataValue(stream);
    case CodeDisplayText:
        return WriteStringToStream(stream, displayText_);
    case CodeTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

// Without the value-list category everything is read into temporaries and
// thrown away, so that the stream stays in step.
HRESULT HvValueListItem::Load(DWORD code, IStream* stream, LONG categories)
{
    const bool keep = IncludesValueLists(categories);
    switch (code) {
    case CodeAppearance: {
        if (keep)
            return appearance_.LoadFromStream(stream, categories);
        AppearanceRef scratch;
        scratch.Init(layout_ ? layout_->Host() : nullptr, layout_ ? layout_->Appearances() : nullptr, nullptr);
        return scratch.LoadFromStream(stream, categories);
    }
    case CodeDataValue: {
        VARIANT value;
        VariantInit(&value);
        HRESULT hr = ReadDataValue(stream, &value);
        if (SUCCEEDED(hr) && keep)
            SetDataValue(value);
        VariantClear(&value);
        return hr;
    }
    case CodeDisplayText: {
        if (keep)
            return ReadStringFromStream(stream, displayText_);
        CDualString scratch;
        return ReadStringFromStream(stream, scratch);
    }
    case CodeTag: {
        if (keep)
            return tag_.LoadFromStream(stream);
        CVariantValue scratch;
        return scratch.LoadFromStream(stream);
    }
    default:
        return S_OK;
    }
}

void HvValueListItem::Reset(DWORD code, LONG categories)
{
    if (!IncludesValueLists(categories))
        return;
    switch (code) {
    case CodeAppearance:
        appearance_.ReleaseAppearance();
        break;
    case CodeDataValue: {
        VARIANT empty;
        VariantInit(&empty);
        SetDataValue(empty);
        break;
    }
    case CodeDisplayText:
        displayText_.Empty();
        break;
    case CodeTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvValueListItem::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HvValueListItem* other = dynamic_cast<HvValueListItem*>(&source);
    if (!other)
        return E_FAIL;
    if (!IncludesValueLists(categories) || other == this)
        return S_OK;
    switch (code) {
    case CodeAppearance:
        return appearance_.Assign(other->appearance_);
    case CodeDataValue: {
        VARIANT copy;
        VariantInit(&copy);
        HRESULT hr = VariantCopy(&copy, &other->value_);
        if (SUCCEEDED(hr))
            SetDataValue(copy);
        return hr;
    }
    case CodeDisplayText:
        displayText_.Assign(other->displayText_);
        return S_OK;
    case CodeTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}
