// HvGroup: construction, level copies, IHvGroup, width rule with the
// BeforeGroupPosChanged / AfterGroupPosChanged pair, column layout by
// level, selection through the columns and notices.
#include "HvGroup.h"

#include "AppearanceData.h"
#include "BandsLayoutSeam.h"
#include "ColumnBandSeam.h"
#include "ColumnErrors.h"
#include "ColumnLayoutSeam.h"
#include "ColumnSettingIds.h"
#include "GridBandSeam.h"
#include "HvAppearance.h"
#include "HvColumn.h"
#include "HvGroupCols.h"
#include "HvGroups.h"
#include "HvHeader.h"
#include "LayoutUnitsSeam.h"
#include "PropertySinkConnection.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"
#include "SelectionLayoutSeam.h"
#include "Units.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

HvGroup::HvGroup(ColumnBandSeam* band, HvGroups* collection, const CDualString* key)
    : HvObjectBaseImpl(ObjectType::HvGroup), HvColumnGroupImpl(band, key), collection_(collection),
      groupColsLink_(this), collectionLink_(collection)
{
    CreateHeader(nullptr);
    if (collection)
        collectionLink_.RelinkSubscription(this);
}

HvGroup::HvGroup(HvGroup& source, Constants_PosChanged kind)
    : HvObjectBaseImpl(ObjectType::HvGroup), HvColumnGroupImpl(source, true), ownWidth_(source.ownWidth_),
      flags_(source.flags_), collection_(nullptr), groupColsLink_(this), collectionLink_(nullptr)
{
    tag_.Copy(source.tag_);
    record_.reset(new LevelRecord);
    record_->kind = kind;
    CreateHeader(&source);
    record_->source = &source;
    source.AddRef();
}

HvGroup::~HvGroup()
{
    Deactivate();
    ReleaseHeader();
    ReleaseGroupCols();
    if (record_ && record_->source)
        record_->source->Release();
    record_.reset();
    collectionLink_.Unlink();
    DetachAllSubscribers();
}

HRESULT HvGroup::Create(ColumnBandSeam* band, HvGroups* collection, const CDualString* key, HvGroup** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvGroup(band, collection, key);
        return S_OK;
    });
}

HvGroup* HvGroup::FromObject(IUnknown* object)
{
    return dynamic_cast<HvGroup*>(HvKeyedItem::FromObject(object));
}

HvGroup* HvGroup::Clone(Constants_PosChanged kind, bool honourLocks)
{
    HvGroup* copy = nullptr;
    try {
        copy = new HvGroup(*this, kind);
    } catch (...) {
        return nullptr;
    }
    copy->record_->width = GetDefaultWidth();
    GetWidthRange(honourLocks, true, &copy->record_->minWidth, &copy->record_->maxWidth);
    copy->record_->visiblePosition = GetVisiblePosition();
    if (groupCols_ && groupCols_->ItemCount() > 0) {
        copy->groupCols_ = groupCols_->Clone();
        if (!copy->groupCols_) {
            copy->Release();
            return nullptr;
        }
    }
    return copy;
}

HRESULT HvGroup::InternalQueryInterface(REFIID iid, void** out)
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

void HvGroup::ReleaseReferences()
{
    ReleaseSharedReferences();
    groupColsLink_.Unlink();
    // A client may keep the group's column list: it goes with the group.
    if (groupCols_)
        CAutomationObject::Deactivate(groupCols_);
    collectionLink_.Unlink();
}

void HvGroup::LeaveCollection()
{
    collectionLink_.Unlink();
    collection_ = nullptr;
}

void HvGroup::ReleaseGroupCols()
{
    groupColsLink_.Unlink();
    if (groupCols_) {
        HvGroupCols* list = groupCols_;
        groupCols_ = nullptr;
        list->Release();
    }
}

HvGroupCols* HvGroup::GetGroupCols(bool create)
{
    if (groupCols_ || !create || !IsActive() || levelCopy_)
        return groupCols_;
    HvGroupCols* made = nullptr;
    if (FAILED(HvGroupCols::Create(this, false, &made)))
        return nullptr;
    groupCols_ = made;
    groupColsLink_.RelinkSubscription(groupCols_);
    return groupCols_;
}

GridBandSeam* HvGroup::Band()
{
    return band_ && IsActive() ? band_->GridBand() : nullptr;
}

LONG HvGroup::GetIndex() const
{
    return collection_ ? collection_->PositionOf(this) : -1;
}

HvColumn* HvGroup::GetColumnAt(SHORT position)
{
    return groupCols_ ? dynamic_cast<HvColumn*>(groupCols_->ColumnAtPosition(position)) : nullptr;
}

bool HvGroup::SetHeaderCaption(BSTR caption)
{
    if (!header_)
        return false;
    header_->SetCaptionText(CDualString(caption ? caption : L""));
    return true;
}

LONG HvGroup::HeaderPictureHeight()
{
    const AppearanceData* data = header_ ? header_->Appearance().GetAppearanceData() : nullptr;
    if (!data || !data->HasPicture())
        return 0;
    SIZE size = {};
    data->GetPictureSize(size);
    return size.cy;
}

LONG HvGroup::HeaderFontHeight()
{
    const AppearanceData* data = header_ ? header_->Appearance().GetAppearanceData() : nullptr;
    if (!data || !data->Font())
        return 0;
    HDC dc = GetDC(nullptr);
    if (!dc)
        return 0;
    const int height = data->GetFontHeight(dc);
    ReleaseDC(nullptr, dc);
    return height;
}

// --- columns ---------------------------------------------------------------------

HRESULT HvGroup::RemoveColumn(HvColumn* column)
{
    if (!IsActive())
        return NotActiveError();
    if (!column)
        return E_INVALIDARG;
    if (column->HvColumnGroupImpl::Band() != band_)
        return RaiseError(ColumnError::OtherBand, ColumnError::OtherBandString);
    HvGroup* group = column->GetGroup();
    if (!group)
        return S_OK;
    if (group != this)
        return RaiseError(ColumnError::OtherGroup, ColumnError::OtherGroupString);
    return column->LeaveGroup();
}

void HvGroup::GetWidthRange(bool honourLocks, bool clamp, LONG* minWidth, LONG* maxWidth)
{
    if (minWidth)
        *minWidth = 0;
    if (maxWidth)
        *maxWidth = 0;
    if (!IsActive() || !groupCols_)
        return;
    groupCols_->MeasureLevels(nullptr, honourLocks && clamp, minWidth, maxWidth, nullptr);
}

void HvGroup::UpdateWidthFromColumns(bool honourLocks, bool, bool storeOnly)
{
    if (IsActive() && groupCols_)
        groupCols_->UpdateGroupWidth(nullptr, honourLocks, storeOnly);
}

void HvGroup::FitColumnsToWidth()
{
    if (IsActive() && groupCols_)
        groupCols_->FitColumnsToWidth(nullptr, true, false, 0, 0, nullptr);
}

void HvGroup::GetColumnWidthBounds(HvColumn* column, bool honourLocks, LONG* minWidth, LONG* maxWidth)
{
    if (minWidth)
        *minWidth = column ? column->GetMinWidth() : 0;
    if (maxWidth)
        *maxWidth = column ? column->MaxWidth() : 0;
    if (IsActive() && groupCols_ && column)
        groupCols_->GetColumnWidthRange(nullptr, honourLocks, column, minWidth, maxWidth);
}

void HvGroup::SetFittedWidth(LONG width)
{
    extent_ = width;
    if (width == 0 && groupCols_) {
        for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i)
            column->SetStoredExtent(0);
    }
}

bool HvGroup::SetLevelPosition(SHORT position)
{
    if (!record_)
        return false;
    record_->visiblePosition = position;
    return true;
}

bool HvGroup::ClampColumnLevels()
{
    if (!groupCols_ || !band_)
        return false;
    const SHORT last = static_cast<SHORT>(std::max<SHORT>(band_->LevelCount(), 1) - 1);
    bool changed = false;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i) {
        if (column->Level() > last) {
            column->SetLevel(last, false);
            changed = true;
        }
    }
    if (changed) {
        SetFirstItem(firstItem_);
        SetLastItem(lastItem_);
        UpdateWidthFromColumns(false, false, false);
    }
    return changed;
}

void HvGroup::InvalidateLayout()
{
    ColumnLayoutSeam* layout = ItemLayout();
    BandsLayoutSeam* bands = layout ? layout->BandsLayout() : nullptr;
    if (!bands)
        return;
    bands->SetColumnMetricsDirty(true);
    bands->MarkColScrollRegionsDirty();
    bands->MarkRowScrollRegionsDirty();
}

// --- first and last items, origins ---------------------------------------------

void HvGroup::SetFirstItem(bool first)
{
    firstItem_ = first;
    SHORT level = -1;
    bool found = false;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i) {
        if (column->Level() != level) {
            level = column->Level();
            found = false;
        }
        const bool take = !found && !column->IsHiddenItem() && column->GetVisibleExtent() > 0;
        if (take)
            found = true;
        column->SetFirstItem(take && first);
    }
}

void HvGroup::SetLastItem(bool last)
{
    lastItem_ = last;
    std::vector<HvColumn*> columns;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i)
        columns.push_back(column);
    SHORT level = -1;
    bool found = false;
    for (auto it = columns.rbegin(); it != columns.rend(); ++it) {
        HvColumn* column = *it;
        if (column->Level() != level) {
            level = column->Level();
            found = false;
        }
        const bool take = !found && !column->IsHiddenItem() && column->GetVisibleExtent() > 0;
        if (take)
            found = true;
        column->SetLastItem(take && last);
    }
}

void HvGroup::SetStoredOrigin(LONG offset)
{
    origin_ = offset;
    SHORT level = -1;
    LONG sum = 0;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i) {
        if (column->Level() != level) {
            level = column->Level();
            sum = 0;
        }
        column->SetStoredOrigin(sum);
        sum += column->GetWidth(false);
        if (column->IsFirstItem() && band_)
            sum += band_->RowSelectorWidth() + band_->ExpansionIndicatorWidth();
    }
}

HvColumn* HvGroup::ColumnAtPoint(LONG x, LONG y, LONG rowHeight, bool fallback)
{
    if (!groupCols_ || groupCols_->ItemCount() == 0 || !band_)
        return nullptr;
    if (rowHeight <= 0)
        rowHeight = band_->ResolveSetting(ColumnSettingId::DefaultRowHeight);
    const SHORT levels = band_->LevelCount();
    const LONG levelHeight = levels > 0 ? rowHeight / levels : rowHeight;
    x = std::clamp<LONG>(x, 0, GetWidth(false));
    y = std::clamp<LONG>(y, 1, std::max<LONG>(rowHeight, 1));
    SHORT level = 0;
    if (levels >= 1 && levelHeight > 0 && y >= levelHeight)
        level = static_cast<SHORT>(std::min<LONG>(y / levelHeight, levels - 1));
    HvColumn* lastShown = nullptr;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i) {
        if (column->IsHiddenItem())
            continue;
        lastShown = column;
        if (column->Level() != level)
            continue;
        const LONG offset = column->StoredOrigin();
        if (offset <= x && offset + column->GetVisibleExtent() >= x)
            return column;
    }
    return fallback ? lastShown : nullptr;
}

// --- widths --------------------------------------------------------------------

LONG HvGroup::GetDefaultWidth()
{
    if (ownWidth_ > 0)
        return ownWidth_;
    LONG textWidth = 0;
    CDualString caption;
    if (header_)
        header_->GetCaption(caption);
    HDC dc = header_ && !caption.IsEmpty() ? GetDC(nullptr) : nullptr;
    if (dc) {
        HFONT font = nullptr;
        if (PropertySinkConnection* connection = header_->Appearance().GetFontConnection())
            font = connection->GetHFont();
        if (!font && band_)
            font = band_->HeaderFont();
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        BSTR text = caption.AllocSysString();
        SIZE size = {};
        if (text && GetTextExtentPoint32W(dc, text, SysStringLen(text), &size))
            textWidth = size.cx;
        SysFreeString(text);
        if (old)
            SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    return textWidth + 14 + (ShowsSwapButton() ? 10 : 0);
}

LONG HvGroup::GetWidth(bool flag)
{
    if (record_)
        return record_->width;
    if (extent_ > 0 && !flag)
        return extent_;
    return GetDefaultWidth();
}

HRESULT HvGroup::SetWidth(LONG width)
{
    return RecalcWidth(width, true, true, true, true);
}

void HvGroup::RecalcWidth(LONG width, GridColumnSeam*, LONG, LONG, bool resizeColumns)
{
    RecalcWidth(width, false, false, resizeColumns, true);
}

HRESULT HvGroup::MakeEventCollection(HvGroup* copy, HvGroups** out)
{
    *out = nullptr;
    GridBandSeam* band = band_ ? band_->GridBand() : nullptr;
    HvGroups* groups = nullptr;
    HRESULT hr = HvGroups::Create(band, true, &groups);
    if (FAILED(hr) || !groups)
        return E_OUTOFMEMORY;
    if (copy && FAILED(groups->InsertItem(-1, copy, true, 0))) {
        groups->Release();
        return E_OUTOFMEMORY;
    }
    *out = groups;
    return S_OK;
}

namespace {

// Releases the temporary collection and level copies of one event pair.
struct GroupEventScope {
    HvGroups* groups = nullptr;
    std::vector<HvGroup*> copies;
    ~GroupEventScope()
    {
        for (HvGroup* copy : copies)
            copy->Deactivate();
        if (groups) {
            groups->ClearCollection(true, 1);
            groups->Release();
        }
        for (HvGroup* copy : copies)
            copy->Release();
    }
};

} // namespace

HRESULT HvGroup::RecalcWidth(LONG width, bool honourLocks, bool fireEvents, bool recalcColumns, bool notify)
{
    LONG low = 0;
    LONG high = 0;
    GetWidthRange(honourLocks, true, &low, &high);
    if (width <= low)
        width = low;
    if (high > low && width >= high)
        width = high;
    extent_ = 0;
    if (width == ownWidth_)
        return S_OK;
    ColumnLayoutSeam* layout = ItemLayout();
    if (fireEvents && layout && layout->CanFireEvents()) {
        GroupEventScope scope;
        HvGroup* copy = Clone(hvPosSized, honourLocks);
        if (!copy)
            return E_OUTOFMEMORY;
        scope.copies.push_back(copy);
        copy->record_->width = width;
        if (FAILED(MakeEventCollection(copy, &scope.groups)))
            return E_OUTOFMEMORY;
        bool cancelled;
        {
            ReadOnlyInEventScope mark(this);
            cancelled = layout->FireBeforeGroupPosChanged(hvPosSized, scope.groups);
        }
        if (cancelled)
            return S_OK;
        ownWidth_ = copy->record_->width;
        if (recalcColumns)
            FitColumnsToWidth();
        if (notify)
            NotifySubscribers(WidthId, 0);
        scope.groups->ClearCollection(true, 1);
        scope.groups->InsertItem(-1, this, true, 0);
        layout->FireAfterGroupPosChanged(hvPosSized, scope.groups);
        return S_OK;
    }
    ownWidth_ = width;
    if (recalcColumns)
        FitColumnsToWidth();
    if (notify)
        NotifySubscribers(WidthId, 0);
    return S_OK;
}

// --- shared answers ------------------------------------------------------------

bool HvGroup::CanSwap()
{
    return band_ && band_->ResolveSetting(ColumnSettingId::AllowGroupSwapping) != 1;
}

bool HvGroup::CanMove()
{
    return band_ && band_->ResolveSetting(ColumnSettingId::AllowGroupMoving) != 1;
}

bool HvGroup::CanSize()
{
    if (!header_ || !header_->IsEnabled() || !groupCols_ || groupCols_->ItemCount() == 0)
        return false;
    LONG low = 0;
    LONG high = 0;
    GetSizeRange(&low, &high);
    return high != low;
}

void HvGroup::GetSizeRange(LONG* minWidth, LONG* maxWidth)
{
    GetWidthRange(true, true, minWidth, maxWidth);
}

void HvGroup::GetHeaderRect(RECT* rect, const RECT* area)
{
    if (!rect)
        return;
    SetRect(rect, 0, 0, GetVisibleExtent(), band_ ? band_->GroupHeaderHeight() : 0);
    AlignRectToBottom(rect, area);
}

LONG HvGroup::GetLevelHeaderHeight()
{
    return band_ ? band_->GroupHeaderHeight() : 0;
}

SHORT HvGroup::GetVisiblePosition()
{
    if (record_)
        return record_->visiblePosition;
    return band_ ? band_->HeaderPosition(this) : -1;
}

HRESULT HvGroup::SetVisiblePosition(SHORT position)
{
    HRESULT hr = CheckSetter();
    if (FAILED(hr))
        return hr;
    if (!band_)
        return E_FAIL;
    auto move = [&]() -> HRESULT {
        bool moved = false;
        const HRESULT result = band_->MoveHeader(this, position, &moved);
        if (SUCCEEDED(result) && moved)
            NotifySubscribers(VisiblePositionId, 0);
        return result;
    };
    ColumnLayoutSeam* layout = ItemLayout();
    if (!layout || !layout->CanFireEvents())
        return move();
    GroupEventScope scope;
    HvGroup* copy = Clone(hvPosMoved, false);
    if (!copy)
        return E_OUTOFMEMORY;
    scope.copies.push_back(copy);
    copy->record_->visiblePosition = position;
    if (FAILED(MakeEventCollection(copy, &scope.groups)))
        return E_OUTOFMEMORY;
    bool cancelled;
    {
        ReadOnlyInEventScope mark(this);
        cancelled = layout->FireBeforeGroupPosChanged(hvPosMoved, scope.groups);
    }
    if (cancelled)
        return S_OK;
    hr = move();
    if (FAILED(hr))
        return hr;
    layout->FireAfterGroupPosChanged(hvPosMoved, scope.groups);
    return S_OK;
}

void HvGroup::FillSwapList(std::vector<HvColumnGroupImpl*>& items)
{
    GridBandSeam* band = band_ ? band_->GridBand() : nullptr;
    HvGroups* groups = band ? band->GetGroups(false) : nullptr;
    if (!groups)
        return;
    for (LONG i = 0; i < groups->ItemCount(); ++i) {
        auto* group = dynamic_cast<HvGroup*>(groups->ItemAtPosition(i));
        if (group && group != this && !group->IsHiddenItem())
            items.push_back(group);
    }
}

HRESULT HvGroup::Swap(HvColumnGroupImpl* otherItem)
{
    HvGroup* other = dynamic_cast<HvGroup*>(otherItem);
    ColumnLayoutSeam* layout = ItemLayout();
    if (!other || other == this || !layout || !band_)
        return S_OK;
    const bool design = layout->IsDesignMode();
    if (!design && !layout->CanFireEvents())
        return S_OK;
    const SHORT mine = GetVisiblePosition();
    const SHORT theirs = other->GetVisiblePosition();
    if (mine < 0 || theirs < 0)
        return S_OK;
    GroupEventScope scope;
    HvGroup* myCopy = Clone(hvPosSwapped, false);
    HvGroup* theirCopy = other->Clone(hvPosSwapped, false);
    if (myCopy)
        scope.copies.push_back(myCopy);
    if (theirCopy)
        scope.copies.push_back(theirCopy);
    if (!myCopy || !theirCopy || FAILED(MakeEventCollection(myCopy, &scope.groups)))
        return E_OUTOFMEMORY;
    scope.groups->InsertItem(-1, theirCopy, true, 0);
    myCopy->record_->visiblePosition = theirs;
    theirCopy->record_->visiblePosition = mine;
    if (!design) {
        ReadOnlyInEventScope markMine(this);
        ReadOnlyInEventScope markTheirs(other);
        if (layout->FireBeforeGroupPosChanged(hvPosSwapped, scope.groups))
            return S_OK;
    }
    bool moved = false;
    if (SUCCEEDED(band_->MoveHeader(other, mine, &moved)) && moved)
        other->NotifySubscribers(VisiblePositionId, 0);
    if (SUCCEEDED(band_->MoveHeader(this, theirs, &moved)) && moved)
        NotifySubscribers(VisiblePositionId, 0);
    scope.groups->ClearCollection(true, 1);
    scope.groups->InsertItem(-1, this, true, 0);
    scope.groups->InsertItem(-1, other, true, 0);
    if (!design)
        layout->FireAfterGroupPosChanged(hvPosSwapped, scope.groups);
    return S_OK;
}

// --- selection -------------------------------------------------------------------

namespace {

bool IsSelectableColumn(HvColumn* column)
{
    return !column->IsHiddenItem() && !column->IsDisabledItem();
}

} // namespace

bool HvGroup::IsSelectedItem()
{
    if (IsHiddenItem() || IsDisabledItem())
        return false;
    bool any = false;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i) {
        if (!IsSelectableColumn(column))
            continue;
        any = true;
        if (!column->IsSelectedItem())
            return false;
    }
    return any;
}

void HvGroup::SetSelectedFlag(bool selected)
{
    bool any = false;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i)
        any = any || IsSelectableColumn(column);
    if (!any)
        return;
    if (selected != IsSelectedItem())
        NotifySubscribers(SelectedId, 0);
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i)
        if (IsSelectableColumn(column))
            column->SetSelectedFlag(selected);
}

LONG HvGroup::GetEffectiveActivation()
{
    return header_ && header_->IsEnabled() ? 1 : 2;
}

SelectionBandSeam* HvGroup::OwnerBand()
{
    return band_ ? band_->SelectionBand() : nullptr;
}

SelectionLayoutSeam* HvGroup::Layout()
{
    ColumnLayoutSeam* layout = ItemLayout();
    return layout ? layout->SelectionLayout() : nullptr;
}

// --- notices ---------------------------------------------------------------------

void HvGroup::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    const std::intptr_t inner = reinterpret_cast<std::intptr_t>(notice);
    if (IsHeaderNotice(notice)) {
        if (notice->what == CellAppearanceId && band_ && band_->GridBand())
            band_->GridBand()->InvalidateHeaderHeights();
        NotifySubscribers(HeaderId, inner);
        return;
    }
    if (groupCols_ && notice->publisher == static_cast<ChangePublisher*>(groupCols_)) {
        // The list re-publishes its columns' notices with the inner one.
        const ChangeNotice* item = reinterpret_cast<const ChangeNotice*>(notice->argument);
        const std::int32_t what = item ? item->what : notice->what;
        if (what == HiddenId || what == LevelId || what == VisiblePositionId)
            InvalidateLayout();
        NotifySubscribers(ColumnsId, inner);
        return;
    }
    HvAppearance* appearance = cellAppearance_.GetAppearance();
    if (appearance && notice->publisher == static_cast<ChangePublisher*>(appearance))
        NotifySubscribers(CellAppearanceId, inner);
}

HvColumnGroupImpl* HvGroup::GetRelatedItem(HvColumnGroupImpl* item, LONG relation, bool flag)
{
    if (relation < 0 || relation > 7)
        return nullptr;
    const bool skipZeroWidth = relation >= 6 ? true : relation >= 4 ? false : flag;
    std::vector<HvColumn*> shown;
    for (LONG i = 0; HvColumn* column = GetColumnAt(static_cast<SHORT>(i)); ++i)
        if (!column->IsHiddenItem() && (!skipZeroWidth || column->GetWidth(false) > 0))
            shown.push_back(column);
    if (shown.empty())
        return nullptr;
    if (relation == 0)
        return shown.front();
    if (relation == 1)
        return shown.back();
    const auto at = std::find(shown.begin(), shown.end(), dynamic_cast<HvColumn*>(item));
    if (at == shown.end())
        return nullptr;
    const bool after = relation == 2 || relation == 4 || relation == 6;
    if (after)
        return at + 1 == shown.end() ? nullptr : *(at + 1);
    return at == shown.begin() ? nullptr : *(at - 1);
}
