// Stand-ins for a band's layout, columns, groups, binding, grid and elements.
#include "BandFakes.h"

#include "HvBand.h"
#include "HvBands.h"
#include "HvOverride.h"
#include "ObjectInfo.h"
#include "OverrideSettings.h"

int FakeColumn::live = 0;
int FakeGroup::live = 0;

// --- columns ----------------------------------------------------------------

FakeColumn::FakeColumn(const CDualString* name) : HvObjectBaseImpl(ObjectType::HvColumn)
{
    if (name)
        key = *name;
    ++live;
}

FakeColumn::~FakeColumn()
{
    --live;
}

FakeColumn* FakeColumn::Create(HvBand*, const CDualString* key)
{
    return new FakeColumn(key);
}

bool FakeColumn::IsSameKey(GridColumnSeam* other)
{
    const CDualString* otherKey = other ? other->ColumnItem()->GetKey() : nullptr;
    return otherKey && key.Compare(otherKey->c_str()) == 0;
}

bool FakeColumn::SetHeaderCaption(BSTR text)
{
    caption = text ? text : L"";
    return true;
}

void FakeColumn::GetPositionRecord(SHORT* position, SHORT* level)
{
    if (position)
        *position = 0;
    if (level)
        *level = 0;
}

HRESULT FakeColumn::CopyFrom(DWORD, HvPersistParticipant& source, LONG)
{
    FakeColumn* other = dynamic_cast<FakeColumn*>(&source);
    if (!other)
        return E_FAIL;
    value = other->value;
    return S_OK;
}

// --- groups -----------------------------------------------------------------

FakeGroup::FakeGroup(HvBand* owner, const CDualString* name) : HvObjectBaseImpl(ObjectType::HvGroup), band(owner)
{
    if (name)
        key = *name;
    ++live;
}

FakeGroup::~FakeGroup()
{
    --live;
}

FakeGroup* FakeGroup::Create(HvBand* band, const CDualString* key)
{
    return new FakeGroup(band, key);
}

GridBandSeam* FakeGroup::Band()
{
    return band;
}

// --- layout -----------------------------------------------------------------

FakeLayout::FakeLayout()
{
    font_.AssignFont(nullptr, nullptr);
    HvBands::Create(this, &bands_);
}

FakeLayout::~FakeLayout()
{
    if (bands_) {
        bands_->Deactivate();
        bands_->Release();
    }
    if (override_) {
        override_->Deactivate();
        override_->Release();
    }
}

HvBand* FakeLayout::AddBand(const wchar_t* key, HvBand* parent, BandBindingSeam* binding)
{
    CDualString name(key ? key : L"");
    HvBand* band = nullptr;
    if (FAILED(HvBand::Create(this, bands_, binding, parent, key ? &name : nullptr, &band)))
        return nullptr;
    if (FAILED(bands_->InsertVectorCollectionItem(-1, band, false, 0))) {
        band->Release();
        return nullptr;
    }
    return band;
}

HvOverride* FakeLayout::GetLayoutOverride()
{
    if (!override_)
        HvOverride::Create(this, nullptr, nullptr, &override_);
    return override_;
}

HRESULT FakeLayout::QueryLayout(IHvLayout** out)
{
    *out = nullptr;
    return E_NOINTERFACE;
}

LONG FakeLayout::ResolveLayoutSetting(DISPID dispid)
{
    const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
    LONG value = override_ && setting ? override_->Settings().Get(*setting) : 0;
    if (value != 0 || !setting)
        return value;
    // The settings that have a layout default.
    static const std::map<DISPID, LONG> defaults = {
        {0x427, 1}, {0x423, 3}, {0x425, 2}, {0x42c, 1}, {0x429, 2}, {0x42d, 1},
        {0x422, 1}, {0x428, 1}, {0x40f, 1}, {0x431, 3}, {0x895, 1},
    };
    const auto at = defaults.find(dispid);
    return at == defaults.end() ? (setting->kind == OverrideSettings::Kind::Byte ||
                                           setting->kind == OverrideSettings::Kind::Nibble
                                       ? 0
                                       : -1)
                                : at->second;
}

LONG FakeLayout::ResolveLayoutSize(DISPID dispid)
{
    const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
    return override_ && setting ? override_->Settings().Get(*setting) : -1;
}

AppearanceRef* FakeLayout::GetOverrideAppearance(int slot)
{
    return override_ ? override_->GetAppearanceRef(slot) : nullptr;
}

HRESULT FakeLayout::CreateColumn(HvBand* band, const CDualString* key, LONG, GridColumnSeam** out)
{
    *out = FakeColumn::Create(band, key);
    return S_OK;
}

HRESULT FakeLayout::CreateGroup(HvBand* band, HvGroups*, const CDualString* key, GridGroupSeam** out)
{
    *out = FakeGroup::Create(band, key);
    return S_OK;
}

HRESULT FakeLayout::CreateBand(ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                               GridBandSeam** out)
{
    HvBand* band = nullptr;
    HRESULT hr = HvBand::Create(this, subscriber, nullptr, dynamic_cast<HvBand*>(parent), key, &band);
    *out = band;
    return hr;
}
