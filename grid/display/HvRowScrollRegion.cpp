// The row scroll region: settings, sizes, splitting, its visible rows and
// its stream record.
#include "HvRowScrollRegion.h"

#include "DisplayRowSeam.h"
#include "HvColScrollRegion.h"
#include "HvColScrollRegions.h"
#include "HvKeyedItem.h"
#include "HvRowScrollRegions.h"
#include "HvGridUIElement.h"
#include "HvVisibleRows.h"
#include "LayoutRootElement.h"
#include "LayoutViewStyle.h"
#include "ScrollRegionsLayoutSeam.h"

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
constexpr HRESULT kDesignTime = static_cast<HRESULT>(0x800A018A);
constexpr WORD kDesignTimeString = 10501;
constexpr HRESULT kNoGridWindow = static_cast<HRESULT>(0x800A9C47);
constexpr WORD kNoGridWindowString = 3000;

bool IsMissing(const VARIANT& v)
{
    return V_VT(&v) == VT_EMPTY || (V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND);
}

} // namespace

HvRowScrollRegion* HvRowScrollRegion::Create(HvLayout& layout, ChangeSubscriber* subscriber)
{
    HvRowScrollRegion* region = new (std::nothrow) HvRowScrollRegion(layout, subscriber);
    if (region && FAILED(HvVisibleRows::Create(region, &region->visibleRows_))) {
        region->Release();
        return nullptr;
    }
    return region;
}

HvRowScrollRegion::HvRowScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber)
    : HvScrollRegionBase(ObjectType::HvRowScrollRegion, layout, subscriber), bar_(true, true, this)
{
}

HvRowScrollRegion::~HvRowScrollRegion()
{
    state_.rows.Clear();
    state_.SetFirstRow(nullptr);
    if (visibleRows_)
        visibleRows_->Release();
}

void HvRowScrollRegion::ReleaseReferences()
{
    // A client may keep the visible rows: the collection lets go of the
    // rows shown, which go with this region, and stands for nothing more.
    if (visibleRows_) {
        visibleRows_->ClearObjectListCollection(true, 1);
        CAutomationObject::Deactivate(visibleRows_);
    }
    state_.rows.Clear();
    state_.SetFirstRow(nullptr);
    if (!source_)
        bar_.Destroy();
    HvScrollRegionBase::ReleaseReferences();
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

CViewStyle* HvRowScrollRegion::Style()
{
    LayoutViewStyle* style = LayoutViewStyle::Of(layout_);
    return style ? &style->Strategy() : nullptr;
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

STDMETHODIMP HvRowScrollRegion::get_ClientHeight(VARIANT colRegion, float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ScrollRegionItem* column = nullptr;
        HRESULT hr = IsMissing(colRegion) ? S_OK : layout_.ColScrollRegionFromVariant(colRegion, &column);
        if (FAILED(hr))
            return hr;
        if (!column)
            column = layout_.GetActiveColScrollRegion();
        LONG height = Real().extent_;
        if (Real().IsAtBottomEdge() && column && column->IsScrollBarVisible(0))
            height -= GetSystemMetrics(SM_CYHSCROLL);
        *out = static_cast<float>(layout_.PixelsToUnitsY(height < 0 ? 0 : height));
        return S_OK;
    });
}

STDMETHODIMP HvRowScrollRegion::get_ClientWidth(VARIANT colRegion, float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ScrollRegionItem* column = nullptr;
        HRESULT hr = IsMissing(colRegion) ? S_OK : layout_.ColScrollRegionFromVariant(colRegion, &column);
        if (FAILED(hr))
            return hr;
        float width = 0;
        hr = get_Width(&width);
        if (FAILED(hr))
            return hr;
        if (IsScrollBarVisible(0))
            width -= static_cast<float>(
                layout_.PixelsToUnitsX(GetSystemMetrics(SM_CXVSCROLL)) -
                layout_.PixelsToUnitsX(HvLayout::BorderWidthFromStyle(layout_.ResolveBorderStyle())));
        *out = width < 0 ? 0.0f : width;
        return S_OK;
    });
}

STDMETHODIMP HvRowScrollRegion::get_Height(float* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    if (extent_ == 0)
        layout_.GetRootUIElement(true, false);
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

STDMETHODIMP HvRowScrollRegion::get_Width(float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        RECT client{};
        if (FAILED(layout_.GetGridClientRect(&client)))
            return Exception(kNoGridWindow, kNoGridWindowString);
        RECT area{};
        if (layout_.DataAreaInnerRect(&area))
            IntersectRect(&client, &client, &area);
        const LONG width = client.right - client.left;
        *out = static_cast<float>(layout_.PixelsToUnitsX(width < 0 ? 0 : width));
        return S_OK;
    });
}

STDMETHODIMP HvRowScrollRegion::get_FirstRow(IHvRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (layout_.IsDesignMode())
            return Exception(kDesignTime, kDesignTimeString);
        ViewStyleRow* row = state_.FirstRow();
        if (!row) {
            Recalculate();
            row = state_.FirstRow();
        }
        if (!row || !row->IsAlive())
            return S_OK;
        return DisplayRowOf(*row).RowObject()->ForwardQueryInterface(IID_IHvRow, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvRowScrollRegion::putref_FirstRow(IHvRow* row)
{
    return put_FirstRow(row);
}

STDMETHODIMP HvRowScrollRegion::get_VisibleRows(IHvVisibleRows** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (layout_.IsDesignMode())
            return Exception(kDesignTime, kDesignTimeString);
        if (!visibleRows_)
            return E_OUTOFMEMORY;
        Recalculate();
        return visibleRows_->QueryInterface(IID_IHvVisibleRows, reinterpret_cast<void**>(out));
    });
}

HvKeyedItem* HvRowScrollRegion::CreateVisibleRow(LONG entry, HvKeyedItem*)
{
    HvVisibleRow* record = state_.rows.First();
    for (LONG i = 0; record && i < entry; ++i)
        record = HvVisibleRowList::Next(record);
    if (!record)
        return nullptr;
    HvKeyedItem* item = DisplayRowOf(CViewStyle::RowOf(*record)).RowItem();
    if (item)
        item->AddRefItem();
    return item;
}

STDMETHODIMP HvRowScrollRegion::GetUIElement(VARIANT colRegion, IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        LayoutRootElementSeam* root = layout_.GetRootUIElement(true, false);
        HvUIElement* element = root ? LayoutRootElement::GridElement(root) : nullptr;
        if (!element)
            return E_OUTOFMEMORY;
        ScrollRegionItem* column = nullptr;
        HRESULT hr = IsMissing(colRegion) ? S_OK : layout_.ColScrollRegionFromVariant(colRegion, &column);
        if (FAILED(hr))
            return hr;
        if (!column)
            column = layout_.GetActiveColScrollRegion();
        DescendantQuery query;
        query.type = UIElementType::RowColRegionIntersection;
        query.rowScrollRegion = this;
        query.colScrollRegion = column ? column->GetItemObject() : nullptr;
        element->VerifyChildElements();
        HvUIElement* found = element->GetDescendant(query);
        return found ? found->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(out)) : S_OK;
    });
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
    // A region not placed yet (no paint since the grid was shown) is
    // placed first, so that a split made at once finds its room.
    if (extent_ < 1)
        layout_.GetRootUIElement(true, false);
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
    // The new region starts where this one stands.
    region->state_.SetFirstRow(state_.FirstRow());
    if (RegionControlSeam* control = layout_.Control()) {
        if (control->FireBeforeRowRegionSplit(this, region)) {
            region->Deactivate();
            region->ReleaseItem();
            return S_OK;
        }
    }
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
    layout_.DirtyRootUIElement(true, false);
    dirty_ = dirty;
    if (reset)
        ClearFirstRow();
}

void HvRowScrollRegion::ClearFirstRow()
{
    state_.SetFirstRow(nullptr);
    state_.rows.Clear();
    state_.firstRowOffset = 0;
    state_.lineStep = 0;
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
