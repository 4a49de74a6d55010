// HvColumnGroupImpl: construction, checks, origin and extent shared by
// columns and groups.
#include "HvColumnGroupImpl.h"

#include "AutomationObject.h"
#include "BandsLayoutSeam.h"
#include "ColumnBandSeam.h"
#include "ColumnErrors.h"
#include "ColumnLayoutSeam.h"
#include "GridBandSeam.h"
#include "HvAppearance.h"
#include "HvHeader.h"
#include "HvLayout.h"
#include "LayoutUnitsSeam.h"
#include "Units.h"
#include "SelectionLayoutSeam.h"
#include "ValueListLayoutSeam.h"

#include <algorithm>
#include <new>

namespace {

ValueListLayoutSeam* AppearanceLayout(ColumnBandSeam* band)
{
    ColumnLayoutSeam* layout = band ? band->ColumnLayout() : nullptr;
    return layout ? layout->ValueListLayout() : nullptr;
}

} // namespace

HvColumnGroupImpl::HvColumnGroupImpl(ColumnBandSeam* band, const CDualString* key)
    : band_(band), headerLink_(this)
{
    ValueListLayoutSeam* layout = AppearanceLayout(band);
    cellAppearance_.Init(layout ? layout->Host() : nullptr, layout ? layout->Appearances() : nullptr, this);
    if (key)
        key_.Assign(*key);
}

HvColumnGroupImpl::HvColumnGroupImpl(HvColumnGroupImpl& source, bool levelCopy)
    : band_(source.band_), headerLink_(this), key_(source.key_), origin_(source.origin_),
      extent_(source.extent_), firstItem_(source.firstItem_), lastItem_(source.lastItem_),
      readOnlyInEvent_(source.readOnlyInEvent_), levelCopy_(levelCopy || source.levelCopy_)
{
    ValueListLayoutSeam* layout = AppearanceLayout(band_);
    cellAppearance_.Init(layout ? layout->Host() : nullptr, layout ? layout->Appearances() : nullptr, this);
    // A level copy is never read-only in an event of its own.
    readOnlyInEvent_ = false;
}

// The owner's destructor has told the subscribers already (it alone can
// still answer their calls).
HvColumnGroupImpl::~HvColumnGroupImpl()
{
    headerLink_.Unlink();
    ReleaseHeader();
}

void HvColumnGroupImpl::CreateHeader(HvColumnGroupImpl* copyFrom)
{
    HvHeader* header = copyFrom && copyFrom->header_ ? HvHeader::Clone(this, *copyFrom->header_)
                                                     : HvHeader::Create(this, band_);
    header_ = header;
    headerLink_.RelinkSubscription(header_);
}

void HvColumnGroupImpl::ReleaseHeader()
{
    if (!header_)
        return;
    HvHeader* header = header_;
    header_ = nullptr;
    header->DetachOwner();
    header->Release();
}

void HvColumnGroupImpl::ReleaseSharedReferences()
{
    headerLink_.Unlink();
    if (!levelCopy_) {
        if (header_)
            header_->Deactivate();
        cellAppearance_.Detach();
    }
}

bool HvColumnGroupImpl::IsHeaderNotice(const ChangeNotice* notice) const
{
    return header_ && notice && notice->publisher == static_cast<ChangePublisher*>(header_);
}

ColumnLayoutSeam* HvColumnGroupImpl::Layout() const
{
    return band_ ? band_->ColumnLayout() : nullptr;
}

SelectionControlSeam* HvColumnGroupImpl::GridControl() const
{
    ColumnLayoutSeam* layout = Layout();
    SelectionLayoutSeam* selection = layout ? layout->SelectionLayout() : nullptr;
    return selection ? selection->GridControl() : nullptr;
}

bool HvColumnGroupImpl::IsAlive()
{
    return CAutomationObject::IsActive(&Automation());
}

HRESULT HvColumnGroupImpl::RaiseError(HRESULT result, WORD stringId)
{
    return Automation().Exception(result, stringId);
}

HRESULT HvColumnGroupImpl::CheckNotReadOnlyInEvent()
{
    if (readOnlyInEvent_)
        return RaiseError(ColumnError::ReadOnlyInEvent, ColumnError::ReadOnlyInEventString);
    return S_OK;
}

HRESULT HvColumnGroupImpl::CheckSetter()
{
    if (!IsAlive())
        return Automation().NotActiveError();
    if (levelCopy_)
        return RaiseError(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
    return CheckNotReadOnlyInEvent();
}

IHvColScrollRegion* HvColumnGroupImpl::GetExclusiveColScrollRegion()
{
    return header_ ? header_->GetExclusiveColScrollRegion() : nullptr;
}

LONG HvColumnGroupImpl::GetExtent()
{
    LONG extent = GetWidth(false);
    if (firstItem_ && band_)
        extent += band_->RowSelectorWidth() + band_->ExpansionIndicatorWidth();
    return extent;
}

LONG HvColumnGroupImpl::SharedOrigin()
{
    if (IsHiddenItem())
        return 0;
    if (GetExclusiveColScrollRegion())
        return origin_;
    GridBandSeam* band = band_ ? band_->GridBand() : nullptr;
    return origin_ + (band ? band->Origin() : 0);
}

void HvColumnGroupImpl::AlignRectToBottom(RECT* rect, const RECT* area)
{
    if (!rect || !area || !band_)
        return;
    const LONG levelHeight = IsGroup() ? band_->GroupHeaderHeight() : band_->ColumnHeaderHeight();
    const LONG extra = (area->bottom - area->top) - levelHeight;
    if (extra > 0)
        OffsetRect(rect, 0, extra);
}

void HvColumnGroupImpl::GetCaption(CDualString& caption)
{
    if (header_)
        header_->GetCaption(caption);
    else
        GetDefaultCaption(caption);
}

unsigned long HvColumnGroupImpl::AddRefPublisher()
{
    return Automation().AddRef();
}

unsigned long HvColumnGroupImpl::ReleasePublisher()
{
    return Automation().Release();
}

bool HvColumnGroupImpl::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    HvAppearance* appearance = cellAppearance_.GetAppearance();
    if (!appearance || static_cast<ChangePublisher*>(appearance) != from)
        return true;
    // The reference takes the new appearance itself; its own link moves.
    const bool changed = cellAppearance_.SetAppearance(dynamic_cast<HvAppearance*>(to));
    NotifySubscribers(CellAppearanceId, 0);
    return !changed;
}

unsigned long HvColumnGroupImpl::AddRefSubscriber()
{
    return Automation().AddRef();
}

unsigned long HvColumnGroupImpl::ReleaseSubscriber()
{
    return Automation().Release();
}

// --- geometry ------------------------------------------------------------------

namespace {

constexpr DISPID kBorderStyleCell = 0x3f1;
constexpr DISPID kBorderStyleRow = 0x3f3;
constexpr DISPID kCellPadding = 0x3f4;
constexpr DISPID kCellSpacing = 0x3f5;

// Moves both edges of one axis in by amount, never past each other.
void Shrink(LONG& low, LONG& high, LONG amount)
{
    if (amount <= 0)
        return;
    low += amount;
    high -= amount;
    if (high < low)
        high = low;
}

} // namespace

LONG HvColumnGroupImpl::GetLeft(IHvColScrollRegion* region, LONG regionOffset, bool raw)
{
    if (IsHiddenItem())
        return 0;
    IHvColScrollRegion* exclusive = GetExclusiveColScrollRegion();
    if (exclusive && region && exclusive != region) {
        ColumnLayoutSeam* layout = Layout();
        LayoutUnitsSeam* units = layout ? layout->Units() : nullptr;
        return -(units ? units->UnitsToPixelsX(100000.0f) : TwipsToPixelsX(100000));
    }
    LONG left = GetOrigin() + regionOffset;
    if (!raw && firstItem_ && band_)
        left += band_->RowSelectorWidth() + band_->ExpansionIndicatorWidth();
    return left;
}

void HvColumnGroupImpl::GetCellRect(LONG rowTop, LONG rowHeight, LONG placement, IHvColScrollRegion* region,
                                    LONG regionOffset, int toLevel, RECT* rect)
{
    if (!rect)
        return;
    LONG left;
    switch (placement) {
    case 1:
        left = 0;
        break;
    case 2:
        left = GetLeft(region, regionOffset, true);
        break;
    case 3:
        left = GetOrigin() - regionOffset;
        break;
    default:
        left = GetOrigin();
        break;
    }
    SetRect(rect, left, rowTop, left + GetVisibleExtent(), rowTop + rowHeight);
    DeflateCellRect(rect, 0, toLevel);
}

void HvColumnGroupImpl::DeflateCellRect(RECT* rect, int fromLevel, int toLevel)
{
    if (!rect || !band_)
        return;
    auto step = [&](int n) { return toLevel >= n && fromLevel < n; };
    if (step(1) && firstItem_)
        rect->left = std::min<LONG>(rect->left + band_->ExpansionIndicatorWidth(), rect->right);
    if (step(2) && firstItem_)
        rect->left = std::min<LONG>(rect->left + band_->RowSelectorWidth(), rect->right);
    if (step(3)) {
        const LONG rowStyle = band_->ResolveSetting(kBorderStyleRow);
        const LONG b = std::max<LONG>(HvLayout::BorderWidthFromStyle(rowStyle), 1);
        const LONG height = rect->bottom - rect->top;
        const LONG width = rect->right - rect->left;
        const LONG vertical = std::max<LONG>(std::min<LONG>(b, height / 2 - b - 1), 0);
        rect->top += vertical;
        rect->bottom -= vertical;
        const LONG horizontal = std::max<LONG>(std::min<LONG>(b, width / 2 - b - 1), 0);
        const bool thinWithSelectors = HvLayout::IsThinBorderStyle(rowStyle) && band_->RowSelectorWidth() > 0;
        if (firstItem_ && !thinWithSelectors)
            rect->left += horizontal;
        if (lastItem_)
            rect->right -= horizontal;
    }
    if (IsGroup())
        return;
    const LONG cellBorder = HvLayout::BorderWidthFromStyle(band_->ResolveSetting(kBorderStyleCell));
    if (step(4)) {
        const LONG spacing = band_->ResolveSetting(kCellSpacing);
        if (spacing > 0) {
            const LONG dx = std::max<LONG>(std::min<LONG>(spacing, (rect->right - rect->left) / 2 - cellBorder - 1), 0);
            const LONG dy = std::max<LONG>(std::min<LONG>(spacing, (rect->bottom - rect->top) / 2 - cellBorder - 1), 0);
            Shrink(rect->left, rect->right, dx);
            Shrink(rect->top, rect->bottom, dy);
        }
    }
    if (step(5)) {
        Shrink(rect->left, rect->right, cellBorder);
        Shrink(rect->top, rect->bottom, cellBorder);
    }
    if (step(6)) {
        const LONG padding = std::max<LONG>(band_->ResolveSetting(kCellPadding), 0);
        Shrink(rect->left, rect->right, padding);
        Shrink(rect->top, rect->bottom, padding);
    }
}

HvColumnGroupImpl* HvColumnGroupImpl::GetRelatedItem(HvColumnGroupImpl*, LONG relation, bool flag)
{
    if (relation < 0 || relation > 7 || IsHiddenItem())
        return nullptr;
    if (flag && GetWidth(false) <= 0)
        return nullptr;
    // A single column is its own first and last item and has no neighbours.
    return relation <= 1 ? this : nullptr;
}
