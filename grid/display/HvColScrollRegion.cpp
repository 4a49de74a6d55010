// The column scroll region: settings and identifier, sizing, position,
// splitting and its stream record.
#include "HvColScrollRegion.h"

#include "HvColScrollRegions.h"

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
    return new (std::nothrow) HvColScrollRegion(layout, subscriber);
}

HvColScrollRegion::HvColScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber)
    : HvScrollRegionBase(ObjectType::HvColScrollRegion, layout, subscriber)
{
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

STDMETHODIMP HvColScrollRegion::get_ClientHeight(VARIANT, float*) { return E_NOTIMPL; }

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

// The grid client rectangle, the UI element tree and the view styles come
// with the grid element and the view styles.
STDMETHODIMP HvColScrollRegion::get_Height(float*) { return E_NOTIMPL; }
STDMETHODIMP HvColScrollRegion::get_VisibleHeaders(IHvHeaders**) { return E_NOTIMPL; }
STDMETHODIMP HvColScrollRegion::GetUIElement(VARIANT, IHvUIElement**) { return E_NOTIMPL; }
STDMETHODIMP HvColScrollRegion::ScrollCellIntoView(IHvCell*, VARIANT, VARIANT) { return E_NOTIMPL; }
STDMETHODIMP HvColScrollRegion::ScrollColumnIntoView(IHvColumn*, VARIANT) { return E_NOTIMPL; }
STDMETHODIMP HvColScrollRegion::ScrollGroupIntoView(IHvGroup*, VARIANT) { return E_NOTIMPL; }

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

namespace {

// Range in pixels: the bands' extent beyond the region's width.
LONG RangePixels(HvLayout& layout, LONG width)
{
    const LONG range = layout.GetBandsExtent() - width;
    return range < 0 ? 0 : range;
}

} // namespace

STDMETHODIMP HvColScrollRegion::get_Position(float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (layout_.IsDesignMode())
            return Exception(kDesignTime, kDesignTimeString);
        if (!busy_ && !IsWorkingCopy())
            Recalculate();
        *out = static_cast<float>(layout_.PixelsToUnitsX(position_));
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::put_Position(float value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (busy_)
            return Exception(kReadOnlyInEvent, kReadOnlyInEventString);
        const double range = layout_.PixelsToUnitsX(RangePixels(layout_, extent_));
        if (value < 0 || value > range)
            return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        const LONG pixels = layout_.UnitsToPixelsX(value);
        if (pixels == position_)
            return S_OK;
        position_ = pixels;
        SetDirty(true, false, true);
        if (!IsWorkingCopy())
            NotifySubscribers(DispPosition, 0);
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::get_Range(float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (layout_.IsDesignMode())
            return Exception(kDesignTime, kDesignTimeString);
        *out = static_cast<float>(layout_.PixelsToUnitsX(RangePixels(layout_, extent_)));
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::Scroll(Constants_ColScrollAction action)
{
    if (!IsActive())
        return NotActiveError();
    switch (action) {
    case 0: case 1: case 2: case 3: case 6: case 7:
        break;
    default:
        return E_INVALIDARG;
    }
    if (IsWorkingCopy())
        return E_FAIL;
    // The scroll request runs through the region's scroll bar, which the
    // grid element places; without it the action only ends the scroll.
    lastScrollAction_ = 8;
    return S_OK;
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

bool HvColScrollRegion::IsScrollBarVisible(int)
{
    BYTE setting = ScrollBarSetting();
    if (source_ && CAutomationObject::IsActive(source_))
        setting = source_->ScrollBarSetting();
    if (setting == 0) {
        Constants_ScrollBars bars = hvScrollBarsBoth;
        layout_.get_ScrollBars(&bars);
        setting = (bars == hvScrollBarsNone || bars == hvScrollBarsVertical) ? 3
                  : bars == hvScrollBarsAutomatic                            ? 2
                                                                             : 1;
    }
    if (setting == 1)
        return true;
    if (setting == 3)
        return false;
    const LONG content = layout_.GetBandsExtent();
    return content > extent_;
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

void HvColScrollRegion::Recalculate()
{
    if (!IsActive())
        return;
    if (dirty_)
        dirty_ = false;
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
