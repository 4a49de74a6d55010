// HvOverride: settings and appearance slots with their checks and notices,
// the resolved form, strategies, clone/replace/clear and persistence.
#include "HvOverride.h"

#include "AppearanceData.h"
#include "Guarded.h"
#include "HvAppearance.h"
#include "HvAppearances.h"
#include "HvCollectionImpl.h"
#include "HvLayoutHost.h"
#include "HvOverrides.h"
#include "OverrideBandSeam.h"
#include "OverrideLayoutSeam.h"
#include "StreamText.h"
#include "SubscriptionLink.h"
#include "Units.h"

#include <cmath>
#include <new>

namespace {

struct SlotInfo {
    DISPID dispid;
    const wchar_t* name;
    DWORD part;
    int state;       // index of the state flag, -1 for none
    bool secondRun;  // resolve again without the state flags
};

constexpr SlotInfo kSlots[HvOverride::SlotCount] = {
    {0x3ef, L"ActiveRowAppearance", AppearanceRequest::Row, AppearanceRequest::ActiveRow, true},
    {0x3eb, L"ActiveCellAppearance", AppearanceRequest::Cell, AppearanceRequest::ActiveCell, true},
    {0x4ef, L"CellAppearance", AppearanceRequest::Cell, -1, false},
    {0x403, L"EditCellAppearance", AppearanceRequest::Cell, AppearanceRequest::EditCell, true},
    {0x415, L"HeaderAppearance", AppearanceRequest::Header, -1, false},
    {0x41c, L"RowAppearance", AppearanceRequest::Row, -1, false},
    {0x41a, L"RowAlternateAppearance", AppearanceRequest::Row, AppearanceRequest::Alternate, true},
    {0x883, L"SelectedCellAppearance", AppearanceRequest::Cell, AppearanceRequest::Selected, true},
    {0x41e, L"SelectedRowAppearance", AppearanceRequest::Row, AppearanceRequest::Selected, true},
    {0x41b, L"RowSelectorAppearance", AppearanceRequest::Row, AppearanceRequest::RowSelector, false},
};

constexpr DISPID kCellClickAction = 0x83e;
constexpr DISPID kSelectTypeCell = 0x433;
constexpr DISPID kSelectTypeRow = 0x435;
constexpr DISPID kSelectTypeCol = 0x434;
constexpr DISPID kHandlerSettings[4] = {kCellClickAction, kSelectTypeCell, kSelectTypeRow, kSelectTypeCol};
constexpr WORD kBadObjectString = 1003;

// The category of the layout's Appearances and of its Overrides.
constexpr LONG kAppearanceCollectionCategory = 1;
constexpr LONG kOverrideCollectionCategory = 2;

} // namespace

HvOverride::HvOverride(OverrideLayoutSeam* layout, ChangeSubscriber* owner, const CDualString* key,
                       OverrideBandSeam* band)
    : HvObjectBaseImpl(ObjectType::HvOverride), layout_(layout), band_(band), resolved_(band != nullptr)
{
    if (key)
        key_.Assign(*key);
    for (AppearanceRef& slot : slots_)
        slot.Init(layout_ ? layout_->Host() : nullptr, layout_ ? layout_->Appearances() : nullptr, this);
    if (band_) {
        band_->AddRefBand();
        for (AppearanceRef& slot : slots_)
            slot.SetReadOnly(true);
    }
    ownerLink_.reset(new SubscriptionLink(owner));
    if (owner && !band_)
        ownerLink_->RelinkSubscription(this);
}

HvOverride::~HvOverride()
{
    Deactivate();
    ownerLink_.reset();
    if (band_) {
        band_->ReleaseBand();
        band_ = nullptr;
    }
    DetachAllSubscribers();
}

HRESULT HvOverride::Create(OverrideLayoutSeam* layout, ChangeSubscriber* owner, const CDualString* key,
                           HvOverride** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guarded([&] {
        *out = new HvOverride(layout, owner, key, nullptr);
        return S_OK;
    });
}

HRESULT HvOverride::CreateResolved(OverrideBandSeam* band, HvOverride** out)
{
    if (!out || !band)
        return E_INVALIDARG;
    *out = nullptr;
    return Guarded([&] {
        *out = new HvOverride(band->Layout(), nullptr, nullptr, band);
        return S_OK;
    });
}

HvOverride* HvOverride::FromObject(IUnknown* object)
{
    return dynamic_cast<HvOverride*>(HvKeyedItem::FromObject(object));
}

DISPID HvOverride::SlotDispid(int slot)
{
    return slot >= 0 && slot < SlotCount ? kSlots[slot].dispid : DISPID_UNKNOWN;
}

const wchar_t* HvOverride::SlotName(int slot)
{
    return slot >= 0 && slot < SlotCount ? kSlots[slot].name : nullptr;
}

HRESULT HvOverride::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

void HvOverride::ReleaseReferences()
{
    if (ownerLink_)
        ownerLink_->Unlink();
    FreeHandlers();
    for (AppearanceRef& slot : slots_)
        slot.Detach();
    // The layout may go before the clients' references: getters fall back
    // to twips from here on.
    layout_ = nullptr;
}

// --- scalar settings -------------------------------------------------------

HRESULT HvOverride::CheckWrite()
{
    if (!IsActive())
        return NotActiveError();
    if (resolved_)
        return Raise(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
    return S_OK;
}

HRESULT HvOverride::GetSetting(DISPID dispid, LONG* out)
{
    if (!out)
        return E_INVALIDARG;
    const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
    if (!setting)
        return E_UNEXPECTED;
    if (resolved_) {
        if (!IsActive() || !band_)
            return NotActiveError();
        *out = band_->ResolveSetting(dispid);
        return S_OK;
    }
    *out = settings_.Get(*setting);
    return S_OK;
}

HRESULT HvOverride::PutSetting(DISPID dispid, LONG value)
{
    return Guarded([&]() -> HRESULT {
        HRESULT hr = CheckWrite();
        if (FAILED(hr))
            return hr;
        const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
        if (!setting)
            return E_UNEXPECTED;
        if (!OverrideSettings::InRange(*setting, value))
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (settings_.Get(*setting) == value)
            return S_OK;
        settings_.Set(*setting, value);
        FreeHandler(dispid);
        NotifySubscribers(dispid, 0);
        return S_OK;
    });
}

double HvOverride::PixelsToUnits(const OverrideSettings::Setting& setting, LONG pixels)
{
    const bool horizontal = setting.axis != OverrideSettings::Axis::Y;
    if (layout_)
        return horizontal ? layout_->PixelsToUnitsX(pixels) : layout_->PixelsToUnitsY(pixels);
    return horizontal ? PixelsToTwipsX(pixels) : PixelsToTwipsY(pixels);
}

HRESULT HvOverride::GetSize(DISPID dispid, float* out)
{
    if (!out)
        return E_INVALIDARG;
    const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
    if (!setting)
        return E_UNEXPECTED;
    LONG pixels = 0;
    if (resolved_) {
        if (!IsActive() || !band_)
            return NotActiveError();
        pixels = band_->ResolveSetting(dispid);
    } else {
        pixels = settings_.Get(*setting);
    }
    *out = pixels < 0 ? -1.0f : static_cast<float>(PixelsToUnits(*setting, pixels));
    return S_OK;
}

HRESULT HvOverride::PutSize(DISPID dispid, float value)
{
    return Guarded([&]() -> HRESULT {
        HRESULT hr = CheckWrite();
        if (FAILED(hr))
            return hr;
        const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
        if (!setting || !layout_)
            return E_UNEXPECTED;
        // Sizes that no conversion can hold are refused, not wrapped.
        if (!std::isfinite(value) || value >= 2147483648.0f)
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        LONG pixels = -1;
        if (value >= 0) {
            pixels = setting->axis == OverrideSettings::Axis::Y ? layout_->UnitsToPixelsY(value)
                                                                 : layout_->UnitsToPixelsX(value);
            if (pixels < 0 || pixels > MaxPixels)
                return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        }
        if (settings_.Get(*setting) == pixels)
            return S_OK;
        settings_.Set(*setting, pixels);
        NotifySubscribers(dispid, 0);
        return S_OK;
    });
}

// --- appearance slots ------------------------------------------------------

AppearanceRef* HvOverride::GetAppearanceRef(int slot)
{
    return slot >= 0 && slot < SlotCount ? &slots_[slot] : nullptr;
}

HRESULT HvOverride::GetSlot(int slot, IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (resolved_)
            return ResolveSlot(slot, out);
        return slots_[slot].QueryAppearance(out);
    });
}

HRESULT HvOverride::ResolveSlot(int slot, IHvAppearance** out)
{
    if (!band_)
        return NotActiveError();
    // The snapshot is the caller's alone and may outlive the layout: it
    // keeps no link to it, only a copy of its font where it has none.
    HvLayoutHost* host = layout_ ? layout_->Host() : nullptr;
    HvAppearance* snapshot = nullptr;
    HRESULT hr = HvAppearance::Create(nullptr, true, nullptr, nullptr, &snapshot);
    if (FAILED(hr))
        return hr;
    hr = snapshot->EnsureAppearanceData();
    if (FAILED(hr)) {
        snapshot->Release();
        return hr;
    }
    const SlotInfo& info = kSlots[slot];
    AppearanceRequest request;
    request.requestMask = AppearanceBit::All;
    request.part = info.part;
    if (info.state >= 0)
        request.state[info.state] = 1;
    AppearanceData& data = *snapshot->MutableAppearanceData();
    band_->ResolveAppearance(data, request);
    if (info.secondRun) {
        // What the state levels left unset comes from the plain levels.
        for (int state : {AppearanceRequest::Alternate, AppearanceRequest::Selected, AppearanceRequest::ActiveRow,
                          AppearanceRequest::ActiveCell, AppearanceRequest::EditCell})
            request.state[state] = 0;
        band_->ResolveAppearance(data, request);
    }
    if (!data.Font() && host)
        if (PropertySinkConnection* font = host->DefaultFont())
            data.SetFont(font);
    *out = snapshot; // the creation reference goes to the caller
    return S_OK;
}

HRESULT HvOverride::PutSlot(int slot, const VARIANT& value)
{
    return Guarded([&]() -> HRESULT {
        HRESULT hr = CheckWrite();
        if (FAILED(hr))
            return hr;
        bool changed = false;
        hr = slots_[slot].PutValue(value, &changed);
        if (SUCCEEDED(hr) && changed)
            NotifySubscribers(kSlots[slot].dispid, 0);
        return hr;
    });
}

void HvOverride::OnChange(const ChangeNotice* notice)
{
    if (resolved_ || !notice)
        return;
    // An appearance shared by several slots changes each of them.
    for (int i = 0; i < SlotCount; ++i) {
        HvAppearance* appearance = slots_[i].GetAppearance();
        if (appearance && static_cast<ChangePublisher*>(appearance) == notice->publisher)
            NotifySubscribers(kSlots[i].dispid, reinterpret_cast<std::intptr_t>(notice));
    }
}

bool HvOverride::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    for (int i = 0; i < SlotCount; ++i) {
        HvAppearance* appearance = slots_[i].GetAppearance();
        if (!appearance || static_cast<ChangePublisher*>(appearance) != from)
            continue;
        // The slot takes the new appearance itself; its own link moves.
        const bool changed = slots_[i].SetAppearance(dynamic_cast<HvAppearance*>(to));
        NotifySubscribers(kSlots[i].dispid, 0);
        return !changed;
    }
    return true;
}

LONG HvOverride::GetAppearanceLineHeight(int slot)
{
    if (slot < 0 || slot >= SlotCount || !layout_)
        return 0;
    PropertySinkConnection* font = slots_[slot].GetFontConnection();
    if (!font) {
        AppearanceRef* layoutSlot = layout_->GetOverrideAppearance(slot);
        font = layoutSlot ? layoutSlot->GetFontConnection() : nullptr;
    }
    return font ? layout_->GetFontLineHeight(font) : 0;
}

// --- strategies ------------------------------------------------------------

OverrideStrategy* HvOverride::GetHandler(OverrideStrategyKind kind, DISPID setting)
{
    const int index = static_cast<int>(kind);
    if (handlers_[index])
        return handlers_[index].get();
    const LONG value = settings_.Get(*OverrideSettings::Find(setting));
    if (value == 0 || !layout_)
        return nullptr;
    handlers_[index] = layout_->CreateStrategy(kind, static_cast<int>(value));
    return handlers_[index].get();
}

OverrideStrategy* HvOverride::GetCellClickActionHandler()
{
    return GetHandler(OverrideStrategyKind::CellClickAction, kCellClickAction);
}

OverrideStrategy* HvOverride::GetSelectTypeCellHandler()
{
    return GetHandler(OverrideStrategyKind::SelectTypeCell, kSelectTypeCell);
}

OverrideStrategy* HvOverride::GetSelectTypeRowHandler()
{
    return GetHandler(OverrideStrategyKind::SelectTypeRow, kSelectTypeRow);
}

OverrideStrategy* HvOverride::GetSelectTypeColHandler()
{
    return GetHandler(OverrideStrategyKind::SelectTypeCol, kSelectTypeCol);
}

void HvOverride::FreeHandler(DISPID setting)
{
    for (int i = 0; i < 4; ++i)
        if (kHandlerSettings[i] == setting)
            handlers_[i].reset();
}

void HvOverride::FreeHandlers()
{
    for (auto& handler : handlers_)
        handler.reset();
}

// --- methods ---------------------------------------------------------------

void HvOverride::ResetSettings(bool alsoAppearances)
{
    settings_.Reset();
    if (!alsoAppearances)
        return;
    for (AppearanceRef& slot : slots_)
        slot.ReleaseAppearance();
    tag_.Clear();
}

STDMETHODIMP HvOverride::Clone(IHvOverride** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (resolved_)
            return Raise(HvResult::OperationFailed, HvResult::OperationFailedString);
        HvOverride* clone = nullptr;
        HRESULT hr = Create(layout_, nullptr, nullptr, &clone);
        if (FAILED(hr))
            return hr;
        clone->settings_ = settings_;
        hr = clone->tag_.Copy(tag_);
        if (FAILED(hr)) {
            clone->Release();
            return hr;
        }
        *out = clone;
        return S_OK;
    });
}

STDMETHODIMP HvOverride::Replace(VARIANT* newOverride)
{
    return Guarded([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (resolved_)
            return Raise(HvResult::OperationFailed, HvResult::OperationFailedString);
        HvOverride* target = nullptr;
        VARIANT value;
        VariantInit(&value);
        if (newOverride && FAILED(VariantCopyInd(&value, newOverride)))
            return Raise(CollectionError::BadObject, kBadObjectString);
        const VARTYPE type = V_VT(&value);
        if (type == VT_DISPATCH || type == VT_UNKNOWN) {
            target = FromObject(V_UNKNOWN(&value));
            VariantClear(&value);
            if (!target || !target->IsActive())
                return Raise(CollectionError::BadObject, kBadObjectString);
        } else {
            VariantClear(&value);
            if (newOverride && type != VT_EMPTY && type != VT_ERROR)
                return Raise(CollectionError::BadObject, kBadObjectString);
        }
        if (target == this)
            return S_OK;
        AddRef();
        TransferSubscribers(target, 0);
        Release();
        return S_OK;
    });
}

STDMETHODIMP HvOverride::Clear()
{
    return Guarded([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (resolved_)
            return Raise(HvResult::OperationFailed, HvResult::OperationFailedString);
        ResetSettings(true);
        FreeHandlers();
        NotifySubscribers(ClearId, 0);
        return S_OK;
    });
}

// --- persistence -----------------------------------------------------------

STDMETHODIMP HvOverride::Save(IStream* stream, LONG arg)
{
    return Guarded([&] { return SaveToStream(stream, arg); });
}

STDMETHODIMP HvOverride::Load(IStream* stream, LONG arg)
{
    return Guarded([&] { return LoadFromStream(stream, arg); });
}

HRESULT HvOverride::SaveSettings(IStream* stream)
{
    // Sizes travel in twips, so that a layout reads the same at any DPI;
    // an unset size stays -1.
    OverrideSettings stored = settings_;
    int count = 0;
    const OverrideSettings::Setting* table = OverrideSettings::Table(&count);
    for (int i = 0; i < count; ++i) {
        const OverrideSettings::Setting& setting = table[i];
        if (setting.kind != OverrideSettings::Kind::Size)
            continue;
        const LONG pixels = settings_.Get(setting);
        LONG twips = -1;
        if (pixels >= 0) {
            const bool horizontal = setting.axis != OverrideSettings::Axis::Y;
            twips = layout_ ? (horizontal ? layout_->FixedPixelsToUnitsX(pixels) : layout_->FixedPixelsToUnitsY(pixels))
                            : (horizontal ? PixelsToTwipsX(pixels) : PixelsToTwipsY(pixels));
        }
        stored.Set(setting, twips);
    }
    return WriteBytes(stream, stored.Bytes(), OverrideSettings::Size);
}

HRESULT HvOverride::LoadSettings(IStream* stream)
{
    OverrideSettings loaded;
    HRESULT hr = ReadBytes(stream, loaded.MutableBytes(), OverrideSettings::Size);
    if (FAILED(hr))
        return hr;
    if (!loaded.IsValid())
        return E_FAIL;
    int count = 0;
    const OverrideSettings::Setting* table = OverrideSettings::Table(&count);
    for (int i = 0; i < count; ++i) {
        const OverrideSettings::Setting& setting = table[i];
        if (setting.kind != OverrideSettings::Kind::Size)
            continue;
        const LONG twips = loaded.Get(setting);
        LONG pixels = -1;
        if (twips >= 0) {
            const bool horizontal = setting.axis != OverrideSettings::Axis::Y;
            pixels = layout_ ? (horizontal ? layout_->FixedUnitsToPixelsX(twips) : layout_->FixedUnitsToPixelsY(twips))
                             : (horizontal ? TwipsToPixelsX(twips) : TwipsToPixelsY(twips));
            if (pixels < 0 || pixels > MaxPixels)
                return E_FAIL;
        }
        loaded.Set(setting, pixels);
    }
    settings_ = loaded;
    return S_OK;
}

bool HvOverride::HasData(DWORD code, LONG)
{
    switch (code) {
    case CategorySettings:
        return settings_.HasAnySetting();
    case CategoryAppearances:
        for (AppearanceRef& slot : slots_)
            if (slot.IsSet())
                return true;
        return false;
    case CategoryKey:
        return !key_.IsEmpty();
    case CategoryTag:
        return !tag_.IsEmpty();
    default:
        return false;
    }
}

HRESULT HvOverride::Save(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CategorySettings:
        return SaveSettings(stream);
    case CategoryAppearances: {
        DWORD mask = 0;
        for (int i = 0; i < SlotCount; ++i)
            if (slots_[i].IsSet())
                mask |= 1u << i;
        HRESULT hr = WriteBytes(stream, &mask, sizeof mask);
        // By reference only when the save carries the Appearances too.
        const bool inlineObjects = categories != 0 && !(categories & kAppearanceCollectionCategory);
        for (int i = 0; i < SlotCount && SUCCEEDED(hr); ++i)
            if (mask & (1u << i))
                hr = slots_[i].SaveToStream(stream, inlineObjects, categories);
        return hr;
    }
    case CategoryKey:
        return WriteStringToStream(stream, key_);
    case CategoryTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

HRESULT HvOverride::Load(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CategorySettings:
        return LoadSettings(stream);
    case CategoryAppearances: {
        DWORD mask = 0;
        HRESULT hr = ReadBytes(stream, &mask, sizeof mask);
        if (FAILED(hr))
            return hr;
        if (mask >> SlotCount)
            return E_FAIL;
        for (int i = 0; i < SlotCount && SUCCEEDED(hr); ++i) {
            if (mask & (1u << i))
                hr = slots_[i].LoadFromStream(stream, categories);
            else
                slots_[i].ReleaseAppearance();
        }
        return hr;
    }
    case CategoryKey:
        HvKeyedItem::KeyChanged();
        return ReadStringFromStream(stream, key_);
    case CategoryTag:
        return tag_.LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void HvOverride::Reset(DWORD code, LONG)
{
    switch (code) {
    case CategorySettings:
        settings_.Reset();
        break;
    case CategoryAppearances:
        for (AppearanceRef& slot : slots_)
            slot.ReleaseAppearance();
        break;
    case CategoryKey:
        HvKeyedItem::EmptyKey(key_);
        break;
    case CategoryTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvOverride::CopyFrom(DWORD code, HvPersistParticipant& source, LONG)
{
    HvOverride* other = dynamic_cast<HvOverride*>(&source);
    if (!other)
        return E_FAIL;
    switch (code) {
    case CategorySettings:
        settings_ = other->settings_;
        FreeHandlers();
        return S_OK;
    case CategoryAppearances:
        for (int i = 0; i < SlotCount; ++i) {
            HRESULT hr = slots_[i].Assign(other->slots_[i]);
            if (FAILED(hr))
                return hr;
        }
        return S_OK;
    case CategoryKey:
        HvKeyedItem::CopyKey(key_, other->key_);
        return S_OK;
    case CategoryTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}

HRESULT HvOverride::SaveOverrideToStream(IStream* stream, LONG flags, HvOverrides* overrides, HvOverride* item)
{
    if (!item)
        return E_FAIL;
    const LONG index = overrides ? overrides->IndexOfOverride(item) : -1;
    if (index >= 0 && (flags & kOverrideCollectionCategory)) {
        if (!item->key_.IsEmpty()) {
            const WORD tag = AppearanceRef::TagKey;
            HRESULT hr = WriteBytes(stream, &tag, sizeof tag);
            return SUCCEEDED(hr) ? WriteStringToStream(stream, item->key_) : hr;
        }
        const WORD tag = AppearanceRef::TagIndex;
        HRESULT hr = WriteBytes(stream, &tag, sizeof tag);
        return SUCCEEDED(hr) ? WriteBytes(stream, &index, sizeof index) : hr;
    }
    const WORD tag = AppearanceRef::TagInline;
    HRESULT hr = WriteBytes(stream, &tag, sizeof tag);
    return SUCCEEDED(hr) ? item->SaveToStream(stream, flags) : hr;
}

HRESULT HvOverride::LoadOverrideFromStream(IStream* stream, LONG flags, OverrideLayoutSeam* layout,
                                           HvOverrides* overrides, ChangeSubscriber* subscriber, HvOverride** out)
{
    if (!out)
        return E_FAIL;
    *out = nullptr;
    WORD tag = 0;
    HRESULT hr = ReadBytes(stream, &tag, sizeof tag);
    if (FAILED(hr))
        return hr;
    HvOverride* found = nullptr;
    switch (tag) {
    case AppearanceRef::TagNone:
        return S_OK;
    case AppearanceRef::TagIndex: {
        LONG index = 0;
        hr = ReadBytes(stream, &index, sizeof index);
        if (FAILED(hr))
            return hr;
        if (overrides && index >= 0)
            found = overrides->OverrideAt(index);
        break;
    }
    case AppearanceRef::TagKey: {
        CDualString key;
        hr = ReadStringFromStream(stream, key);
        if (FAILED(hr))
            return hr;
        if (overrides)
            found = overrides->FindOverride(key);
        break;
    }
    case AppearanceRef::TagInline: {
        HvOverride* created = nullptr;
        hr = Create(layout, subscriber, nullptr, &created);
        if (FAILED(hr))
            return hr;
        hr = created->LoadFromStream(stream, flags);
        if (FAILED(hr)) {
            created->Deactivate();
            created->Release();
            return hr;
        }
        *out = created;
        return S_OK;
    }
    default:
        // What follows an unknown tag cannot be read.
        return E_FAIL;
    }
    if (found) {
        found->AddRef();
        *out = found;
    }
    return S_OK;
}

HRESULT HvOverride::LoadIntoScratch(IStream* stream, LONG categories)
{
    if (!layout_)
        return S_OK;
    HvOverride* scratch = nullptr;
    HRESULT hr = Create(layout_, nullptr, nullptr, &scratch);
    if (FAILED(hr))
        return hr;
    hr = scratch->LoadFrame(stream, categories);
    scratch->Deactivate();
    scratch->Release();
    return hr;
}
