// The row scroll region: settings, sizing, splitting and its stream record.
#include "HvRowScrollRegion.h"

#include "HvRowScrollRegions.h"

#include <new>

namespace {

constexpr HRESULT kCantHideLast = static_cast<HRESULT>(0x800A9C5F);
constexpr WORD kCantHideLastString = 4020;
constexpr HRESULT kTooSmall = static_cast<HRESULT>(0x800A9C60);
constexpr WORD kTooSmallString = 4021;
constexpr HRESULT kMaxRegions = static_cast<HRESULT>(0x800A9C6B);
constexpr WORD kMaxRegionsString = 4035;
constexpr HRESULT kNoRoom = static_cast<HRESULT>(0x800A9C6D);
constexpr WORD kNoRoomString = 4038;

bool IsMissing(const VARIANT& v)
{
    return V_VT(&v) == VT_EMPTY || (V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND);
}

} // namespace

HvRowScrollRegion* HvRowScrollRegion::Create(HvLayout& layout, ChangeSubscriber* subscriber)
{
    return new (std::nothrow) HvRowScrollRegion(layout, subscriber);
}

HvRowScrollRegion::HvRowScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber)
    : HvScrollRegionBase(ObjectType::HvRowScrollRegion, layout, subscriber)
{
}

HRESULT HvRowScrollRegion::CheckPut()
{
    if (!IsActive())
        return NotActiveError();
    if (IsWorkingCopy())
        return Exception(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
    return S_OK;
}

HvRowScrollRegions* HvRowScrollRegion::Collection() const
{
    return layout_.RowScrollRegions();
}

STDMETHODIMP HvRowScrollRegion::put_Hidden(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckPut();
        if (hr != S_OK)
            return hr;
        const bool hide = value != VARIANT_FALSE;
        if (hide == IsHidden())
            return S_OK;
        HvRowScrollRegions* regions = Collection();
        if (hide && (!regions || !regions->HasOtherVisibleRegion(this)))
            return Exception(kCantHideLast, kCantHideLastString);
        StoreHidden(hide);
        return S_OK;
    });
}

STDMETHODIMP HvRowScrollRegion::get_ClientHeight(VARIANT, float* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    const HvRowScrollRegion& real = source_ ? static_cast<const HvRowScrollRegion&>(*source_) : *this;
    *out = static_cast<float>(layout_.PixelsToUnitsY(real.extent_ < 0 ? 0 : real.extent_));
    return S_OK;
}

STDMETHODIMP HvRowScrollRegion::get_ClientWidth(VARIANT, float*) { return E_NOTIMPL; }

STDMETHODIMP HvRowScrollRegion::get_Height(float* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = static_cast<float>(layout_.PixelsToUnitsY(extent_ < 0 ? 0 : extent_));
    return S_OK;
}

STDMETHODIMP HvRowScrollRegion::put_Height(float value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckPut();
        if (hr != S_OK)
            return hr;
        if (value < 0)
            return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        const LONG pixels = layout_.UnitsToPixelsY(value);
        if (pixels == extent_)
            return S_OK;
        HvRowScrollRegions* regions = Collection();
        return regions ? regions->ResizeRegion(this, pixels) : E_FAIL;
    });
}

STDMETHODIMP HvRowScrollRegion::get_Top(float* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = static_cast<float>(layout_.PixelsToUnitsY(origin_));
    return S_OK;
}

// Rows, the visible-row list, the UI element tree and the scroll bar window
// come with the row data model, the view styles and the grid element.
STDMETHODIMP HvRowScrollRegion::get_FirstRow(IHvRow**) { return E_NOTIMPL; }
STDMETHODIMP HvRowScrollRegion::put_FirstRow(IHvRow*) { return E_NOTIMPL; }
STDMETHODIMP HvRowScrollRegion::putref_FirstRow(IHvRow* row) { return put_FirstRow(row); }
STDMETHODIMP HvRowScrollRegion::get_VisibleRows(IHvVisibleRows**) { return E_NOTIMPL; }
STDMETHODIMP HvRowScrollRegion::get_Width(float*) { return E_NOTIMPL; }
STDMETHODIMP HvRowScrollRegion::GetUIElement(VARIANT, IHvUIElement**) { return E_NOTIMPL; }
STDMETHODIMP HvRowScrollRegion::ScrollRowIntoView(IHvRow*) { return E_NOTIMPL; }
STDMETHODIMP HvRowScrollRegion::ScrollCellIntoView(IHvCell*, VARIANT) { return E_NOTIMPL; }

STDMETHODIMP HvRowScrollRegion::Scroll(Constants_RowScrollAction action)
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
    // Without a view style there is nothing to move; the action still ends
    // as a programmatic scroll.
    lastScrollAction_ = 8;
    return S_OK;
}

STDMETHODIMP HvRowScrollRegion::Split(VARIANT height, IHvRowScrollRegion** out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        *out = nullptr;
        if (IsWorkingCopy())
            return E_FAIL;
        const bool given = !IsMissing(height);
        LONG pixels = 0;
        if (given) {
            VARIANT value;
            VariantInit(&value);
            HRESULT hr = VariantChangeType(&value, &height, 0, VT_R4);
            if (FAILED(hr))
                return E_INVALIDARG;
            if (V_R4(&value) < 0)
                return E_INVALIDARG;
            pixels = layout_.UnitsToPixelsY(V_R4(&value));
        }
        HvRowScrollRegion* made = nullptr;
        HRESULT hr = SplitPixels(given, pixels, &made);
        if (FAILED(hr) || !made)
            return hr;
        *out = made; // the creation reference goes to the caller
        return S_OK;
    });
}

HRESULT HvRowScrollRegion::Split(float* size, ScrollRegionItem** newRegion)
{
    if (!newRegion)
        return E_INVALIDARG;
    *newRegion = nullptr;
    if (size && *size < 0)
        return E_INVALIDARG;
    HvRowScrollRegion* made = nullptr;
    HRESULT hr = SplitPixels(size != nullptr, size ? layout_.UnitsToPixelsY(*size) : 0, &made);
    *newRegion = made;
    return hr;
}

HRESULT HvRowScrollRegion::SplitPixels(bool sizeGiven, LONG size, HvRowScrollRegion** made)
{
    *made = nullptr;
    HvRowScrollRegions* regions = Collection();
    if (!regions)
        return E_FAIL;
    const short most = layout_.MaxRowScrollRegions();
    if (most > 0 && regions->ItemCount() >= most)
        return Exception(kMaxRegions, kMaxRegionsString);
    const LONG whole = extent_;
    const LONG splitter = layout_.SplitterBarWidth();
    if (sizeGiven && splitter + size > whole)
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
    RowScrollRegionItem* item = layout_.CreateRowScrollRegion(regions);
    if (!item)
        return E_OUTOFMEMORY;
    auto* region = static_cast<HvRowScrollRegion*>(item);
    region->SetOriginExtent(origin_, newShare, true, true);
    // The split event belongs to the control's event firers; a region of a
    // stand-alone layout splits at once.
    SetOriginExtent(origin_ + newShare + splitter, ownShare, true, true);
    hr = regions->InsertRegion(region, index);
    if (FAILED(hr)) {
        region->ReleaseItem();
        return hr;
    }
    layout_.DirtyRootUIElement(true, true);
    *made = region;
    return S_OK;
}

void HvRowScrollRegion::SetOriginExtent(long origin, long extent, bool, bool notify)
{
    if (source_) {
        static_cast<HvRowScrollRegion*>(source_)->SetOriginExtent(origin, extent, false, notify);
        return;
    }
    if (extent != extent_) {
        extent_ = extent;
        dirty_ = true;
        if (notify)
            NotifySubscribers(DispHeight, 0);
    }
    origin_ = origin;
}

bool HvRowScrollRegion::IsScrollBarVisible(int)
{
    BYTE setting = ScrollBarSetting();
    if (setting == 0) {
        Constants_ScrollBars bars = hvScrollBarsBoth;
        layout_.get_ScrollBars(&bars);
        setting = (bars == hvScrollBarsNone || bars == hvScrollBarsHorizontal) ? 3
                  : bars == hvScrollBarsAutomatic                              ? 2
                                                                               : 1;
    }
    // Without a visible-row list a ShowIfNeeded bar has nothing to show.
    return setting == 1;
}

void HvRowScrollRegion::CopySettingsFrom(ScrollRegionItem& source)
{
    auto& from = static_cast<HvRowScrollRegion&>(static_cast<RowScrollRegionItem&>(source));
    extent_ = from.extent_;
    origin_ = from.origin_;
    settingsByte_ = from.settingsByte_;
    flags_ = from.flags_;
}

bool HvRowScrollRegion::HasDataForCategories(long categories)
{
    if (categories & HvLayout::CatRowScrollRegions)
        return settingsByte_ != 0 || IsHidden();
    return false;
}

void HvRowScrollRegion::SetDirty(bool dirty, bool reset)
{
    dirty_ = dirty;
    if (reset)
        ClearFirstRow();
}

STDMETHODIMP HvRowScrollRegion::Save(IStream* stream, LONG)
{
    return Guard([&]() -> HRESULT {
        BYTE record[16] = {};
        const LONG numbers[3] = {VersionMarker, layout_.FixedPixelsToUnitsY(extent_),
                                 layout_.FixedPixelsToUnitsY(origin_)};
        memcpy(record, numbers, sizeof numbers);
        record[12] = settingsByte_;
        record[13] = flags_;
        return WriteAll(stream, record, sizeof record);
    });
}

STDMETHODIMP HvRowScrollRegion::Load(IStream* stream, LONG)
{
    return Guard([&]() -> HRESULT {
        LONG marker = 0;
        HRESULT hr = ReadAll(stream, &marker, sizeof marker);
        if (FAILED(hr))
            return hr;
        if (marker != VersionMarker)
            return E_FAIL;
        BYTE rest[12] = {};
        hr = ReadAll(stream, rest, sizeof rest);
        if (FAILED(hr))
            return hr;
        LONG numbers[2] = {};
        memcpy(numbers, rest, sizeof numbers);
        extent_ = layout_.FixedUnitsToPixelsY(numbers[0]);
        origin_ = layout_.FixedUnitsToPixelsY(numbers[1]);
        settingsByte_ = rest[8];
        flags_ = rest[9];
        dirty_ = true;
        return S_OK;
    });
}
