// The column scroll region: settings and identifier, sizing, position,
// splitting and its stream record.
#include "HvColScrollRegion.h"

#include "HvColScrollRegions.h"
#include "HvColumnGroupImpl.h"
#include "HvGridUIElement.h"
#include "HvHeader.h"
#include "HvHeaders.h"
#include "HvKeyedItem.h"
#include "LayoutRootElement.h"
#include "LayoutViewStyle.h"
#include "ScrollRegionsLayoutSeam.h"

#include <cstring>
#include <new>

namespace {

constexpr HRESULT kCantHideLast = static_cast<HRESULT>(0x800A9C5F);
constexpr WORD kCantHideLastString = 4020;
constexpr HRESULT kTooSmall = static_cast<HRESULT>(0x800A9C60);
constexpr WORD kTooSmallString = 4021;
constexpr HRESULT kMaxRegions = static_cast<HRESULT>(0x800A9C6A);
constexpr WORD kMaxRegionsString = 4036;
constexpr HRESULT kNoRoom = static_cast<HRESULT>(0x800A9C6D);
constexpr WORD kNoRoomString = 4038;
constexpr HRESULT kReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);
constexpr WORD kReadOnlyInEventString = 4014;
constexpr HRESULT kDesignTime = static_cast<HRESULT>(0x800A018A);
constexpr WORD kDesignTimeString = 10501;

bool IsMissing(const VARIANT& v)
{
    return V_VT(&v) == VT_EMPTY || (V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND);
}

} // namespace

HvColScrollRegion* HvColScrollRegion::Create(HvLayout& layout, ChangeSubscriber* subscriber)
{
    HvColScrollRegion* region = new (std::nothrow) HvColScrollRegion(layout, subscriber);
    if (region && FAILED(HvHeaders::Create(region, &region->headers_))) {
        region->Release();
        return nullptr;
    }
    return region;
}

HvColScrollRegion::HvColScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber)
    : HvScrollRegionBase(ObjectType::HvColScrollRegion, layout, subscriber), bar_(false, true, this)
{
}

HvColScrollRegion::~HvColScrollRegion()
{
    if (headers_) {
        ReleaseVisibleHeaders();
        headers_->Release();
    }
}

void HvColScrollRegion::ReleaseVisibleHeaders()
{
    // A client may keep the collection: it lets go of the shown headers,
    // which go with this region, and stands for nothing any more.
    headers_->ClearObjectListCollection(true, 1);
    CAutomationObject::Deactivate(headers_);
}

void HvColScrollRegion::ReleaseReferences()
{
    if (headers_)
        ReleaseVisibleHeaders();
    if (!source_)
        bar_.Destroy();
    HvScrollRegionBase::ReleaseReferences();
}

HvKeyedItem* HvColScrollRegion::CreateVisibleHeader(LONG entry)
{
    if (entry < 0 || static_cast<size_t>(entry) >= shownHeaders_.size())
        return nullptr;
    HvKeyedItem* item = shownHeaders_[static_cast<size_t>(entry)].get();
    if (!item->GetItemObject())
        return nullptr;
    item->AddRefItem();
    return item;
}

HRESULT HvColScrollRegion::CheckPut()
{
    if (!IsActive())
        return NotActiveError();
    return IsWorkingCopy() ? E_FAIL : S_OK;
}

HvColScrollRegions* HvColScrollRegion::Collection() const
{
    return layout_.ColScrollRegions();
}

STDMETHODIMP HvColScrollRegion::put_Hidden(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckPut();
        if (hr != S_OK)
            return hr;
        const bool hide = value != VARIANT_FALSE;
        if (hide == IsHidden())
            return S_OK;
        HvColScrollRegions* regions = Collection();
        if (hide && (!regions || !regions->HasOtherVisibleRegion(this)))
            return Exception(kCantHideLast, kCantHideLastString);
        StoreHidden(hide);
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::get_ClientHeight(VARIANT rowRegion, float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ScrollRegionItem* row = nullptr;
        if (!IsMissing(rowRegion)) {
            HRESULT hr = layout_.RowScrollRegionFromVariant(rowRegion, &row);
            if (FAILED(hr))
                return hr;
        }
        float height = 0;
        HRESULT hr = get_Height(&height);
        if (FAILED(hr))
            return hr;
        if (IsScrollBarVisible(0))
            height -= static_cast<float>(layout_.PixelsToUnitsY(GetSystemMetrics(SM_CYHSCROLL)));
        *out = height < 0 ? 0.0f : height;
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::get_ClientWidth(VARIANT, float* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    const HvColScrollRegion& real = source_ ? static_cast<const HvColScrollRegion&>(*source_) : *this;
    const double units = layout_.PixelsToUnitsX(real.extent_ < 0 ? 0 : real.extent_);
    *out = units < 0 ? 0.0f : static_cast<float>(units);
    return S_OK;
}

STDMETHODIMP HvColScrollRegion::get_Height(float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        RECT client{};
        HRESULT hr = layout_.GetGridClientRect(&client);
        if (FAILED(hr))
            return hr;
        RECT area{};
        if (layout_.DataAreaInnerRect(&area))
            IntersectRect(&client, &client, &area);
        const LONG height = client.bottom - client.top;
        *out = static_cast<float>(layout_.PixelsToUnitsY(height < 0 ? 0 : height));
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::get_VisibleHeaders(IHvHeaders** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (layout_.IsDesignMode())
            return Exception(kDesignTime, kDesignTimeString);
        if (!headers_)
            return E_OUTOFMEMORY;
        Recalculate();
        return headers_->QueryInterface(IID_IHvHeaders, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvColScrollRegion::GetUIElement(VARIANT rowRegion, IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        LayoutRootElementSeam* root =
            busy_ || IsWorkingCopy() ? layout_.RootUIElement() : layout_.GetRootUIElement(true, false);
        HvGridUIElement* element = root ? LayoutRootElement::GridElement(root) : nullptr;
        if (!element)
            return E_OUTOFMEMORY;
        ScrollRegionItem* row = nullptr;
        HRESULT hr = IsMissing(rowRegion) ? S_OK : layout_.RowScrollRegionFromVariant(rowRegion, &row);
        if (FAILED(hr))
            return hr;
        if (!row)
            row = layout_.GetActiveRowScrollRegion();
        DescendantQuery query;
        query.type = UIElementType::RowColRegionIntersection;
        query.rowScrollRegion = row ? row->GetItemObject() : nullptr;
        query.colScrollRegion = this;
        element->VerifyChildElements();
        HvUIElement* found = element->GetDescendant(query);
        return found ? found->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(out)) : S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::ScrollCellIntoView(IHvCell* cell, VARIANT, VARIANT leftAlign)
{
    IHvColumn* column = nullptr;
    if (!cell || FAILED(cell->get_Column(&column)) || !column)
        return E_INVALIDARG;
    const HRESULT hr = ScrollColumnIntoView(column, leftAlign);
    column->Release();
    return hr;
}

STDMETHODIMP HvColScrollRegion::ScrollColumnIntoView(IHvColumn* column, VARIANT leftAlign)
{
    return BringItemIntoView(column, leftAlign);
}

STDMETHODIMP HvColScrollRegion::ScrollGroupIntoView(IHvGroup* group, VARIANT leftAlign)
{
    return BringItemIntoView(group, leftAlign);
}

STDMETHODIMP HvColScrollRegion::get_Left(float* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = static_cast<float>(layout_.PixelsToUnitsX(origin_));
    return S_OK;
}

STDMETHODIMP HvColScrollRegion::get_Width(float* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = static_cast<float>(layout_.PixelsToUnitsX(extent_ < 0 ? 0 : extent_));
    return S_OK;
}

STDMETHODIMP HvColScrollRegion::put_Width(float value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckPut();
        if (hr != S_OK)
            return hr;
        if (busy_)
            return Exception(kReadOnlyInEvent, kReadOnlyInEventString);
        if (value < 0)
            return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        const LONG pixels = layout_.UnitsToPixelsX(value);
        if (pixels == extent_)
            return S_OK;
        HvColScrollRegions* regions = Collection();
        return regions ? regions->ResizeRegion(this, pixels) : E_FAIL;
    });
}

STDMETHODIMP HvColScrollRegion::Split(VARIANT width, IHvColScrollRegion** out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        *out = nullptr;
        if (IsWorkingCopy())
            return E_FAIL;
        const bool given = !IsMissing(width);
        LONG pixels = 0;
        if (given) {
            VARIANT value;
            VariantInit(&value);
            if (FAILED(VariantChangeType(&value, &width, 0, VT_R4)) || V_R4(&value) < 0)
                return E_INVALIDARG;
            pixels = layout_.UnitsToPixelsX(V_R4(&value));
        }
        HvColScrollRegion* made = nullptr;
        HRESULT hr = SplitPixels(given, pixels, &made);
        if (FAILED(hr) || !made)
            return hr;
        *out = made;
        return S_OK;
    });
}

HRESULT HvColScrollRegion::Split(float* size, ScrollRegionItem** newRegion)
{
    if (!newRegion)
        return E_INVALIDARG;
    *newRegion = nullptr;
    if (size && *size < 0)
        return E_INVALIDARG;
    HvColScrollRegion* made = nullptr;
    HRESULT hr = SplitPixels(size != nullptr, size ? layout_.UnitsToPixelsX(*size) : 0, &made);
    *newRegion = made;
    return hr;
}

HRESULT HvColScrollRegion::SplitPixels(bool sizeGiven, LONG size, HvColScrollRegion** made)
{
    *made = nullptr;
    HvColScrollRegions* regions = Collection();
    if (!regions)
        return E_FAIL;
    const short most = layout_.MaxColScrollRegions();
    if (most > 0 && regions->ItemCount() >= most)
        return Exception(kMaxRegions, kMaxRegionsString);
    // A region not placed yet (no paint since the grid was shown) is
    // placed first, so that a split made at once finds its room.
    if (extent_ < 1)
        layout_.GetRootUIElement(true, false);
    const LONG whole = ClientSize();
    const LONG splitter = layout_.SplitterBarWidth();
    if (sizeGiven && whole < splitter + size)
        return Exception(kNoRoom, kNoRoomString);
    LONG newShare = 0;
    LONG ownShare = 0;
    if (size < 1 || whole - size <= splitter) {
        ownShare = (whole - splitter) / 2;
        newShare = (whole - splitter) - ownShare;
    } else {
        newShare = size;
        ownShare = whole - (splitter + size);
    }
    if (newShare < 1 || ownShare < 1)
        return Exception(kTooSmall, kTooSmallString);

    long index = -1;
    HRESULT hr = regions->IndexOfRegion(this, &index);
    if (FAILED(hr))
        return hr;
    ColScrollRegionItem* item = layout_.CreateColScrollRegion(regions);
    if (!item)
        return E_OUTOFMEMORY;
    auto* region = static_cast<HvColScrollRegion*>(item);
    region->SetOriginExtent(origin_, newShare, true, true);
    region->position_ = position_;
    if (RegionControlSeam* control = layout_.Control()) {
        if (control->FireBeforeColRegionSplit(this, region)) {
            region->Deactivate();
            region->ReleaseItem();
            return S_OK;
        }
    }
    SetOriginExtent(origin_ + newShare + splitter, ownShare, true, false);
    hr = regions->InsertRegion(region, index);
    if (FAILED(hr)) {
        region->ReleaseItem();
        return hr;
    }
    layout_.DirtyRootUIElement(true, true);
    NotifySubscribers(DispWidth, 0);
    *made = region;
    return S_OK;
}

void HvColScrollRegion::SetOriginExtent(long origin, long extent, bool, bool notify)
{
    if (source_) {
        static_cast<HvColScrollRegion*>(source_)->SetOriginExtent(origin, extent, false, notify);
        return;
    }
    if (extent != extent_) {
        extent_ = extent;
        dirty_ = true;
        if (notify)
            NotifySubscribers(DispWidth, 0);
    }
    origin_ = origin;
}

void HvColScrollRegion::CopySettingsFrom(ScrollRegionItem& source)
{
    auto& from = static_cast<HvColScrollRegion&>(static_cast<ColScrollRegionItem&>(source));
    extent_ = from.extent_;
    origin_ = from.origin_;
    memcpy(id_, from.id_, sizeof id_);
    settingsByte_ = from.settingsByte_;
    flags_ = from.flags_;
}

bool HvColScrollRegion::HasDataForCategories(long categories)
{
    if ((categories & 4) && (flags_ & FlagIdAssigned))
        return true;
    if (categories & HvLayout::CatColScrollRegions)
        return settingsByte_ != 0 || IsHidden();
    return false;
}

void HvColScrollRegion::SetDirty(bool dirty, bool resetPosition, bool markRoot)
{
    if (markRoot)
        layout_.DirtyRootUIElement(true, true);
    dirty_ = dirty;
    if (resetPosition)
        position_ = 0;
}

const BYTE* HvColScrollRegion::IdentityBlock() const
{
    if (!(flags_ & FlagIdAssigned)) {
        GUID id{};
        if (SUCCEEDED(CoCreateGuid(&id))) {
            memcpy(id_, &id, sizeof id_);
            const_cast<HvColScrollRegion*>(this)->flags_ |= FlagIdAssigned;
        }
    }
    return id_;
}

bool HvColScrollRegion::MatchesId(const BYTE* id) const
{
    return id && memcmp(IdentityBlock(), id, sizeof id_) == 0;
}

STDMETHODIMP HvColScrollRegion::Save(IStream* stream, LONG)
{
    return Guard([&]() -> HRESULT {
        BYTE record[30] = {};
        const LONG numbers[3] = {VersionMarker, layout_.FixedPixelsToUnitsY(extent_),
                                 layout_.FixedPixelsToUnitsY(origin_)};
        memcpy(record, numbers, sizeof numbers);
        memcpy(record + 12, id_, sizeof id_);
        record[28] = settingsByte_;
        record[29] = flags_;
        return WriteAll(stream, record, sizeof record);
    });
}

STDMETHODIMP HvColScrollRegion::Load(IStream* stream, LONG)
{
    return Guard([&]() -> HRESULT {
        LONG marker = 0;
        HRESULT hr = ReadAll(stream, &marker, sizeof marker);
        if (FAILED(hr))
            return hr;
        if (marker != VersionMarker)
            return E_FAIL;
        BYTE rest[26] = {};
        hr = ReadAll(stream, rest, sizeof rest);
        if (FAILED(hr))
            return hr;
        LONG numbers[2] = {};
        memcpy(numbers, rest, sizeof numbers);
        extent_ = layout_.FixedUnitsToPixelsY(numbers[0]);
        origin_ = layout_.FixedUnitsToPixelsY(numbers[1]);
        memcpy(id_, rest + 8, sizeof id_);
        settingsByte_ = rest[24];
        flags_ = rest[25];
        dirty_ = true;
        return S_OK;
    });
}
