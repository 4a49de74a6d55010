// HvColumn: widths (default, minimum, bounds, setting with the
// BeforeColPosChanged / AfterColPosChanged pair), visible position, swap,
// level and group membership.
#include "HvColumn.h"

#include "ColumnBandSeam.h"
#include "ColumnErrors.h"
#include "ColumnLayoutSeam.h"
#include "ColumnSettingIds.h"
#include "GridBandSeam.h"
#include "HvAppearance.h"
#include "HvColumns.h"
#include "HvCollectionImpl.h"
#include "HvGroup.h"
#include "HvGroupCols.h"
#include "HvGroups.h"
#include "HvHeader.h"
#include "HvSelectedCols.h"
#include "PropertySinkConnection.h"
#include "Units.h"

#include <algorithm>
#include <new>

namespace {

// The sample text measured for a column's values, by data type.
const wchar_t* SampleText(LONG dataType)
{
    switch (dataType) {
    case 2: return L"99999-";
    case 3:
    case 4: return L"9999999999";
    case 5:
    case 6: return L"9999999999999";
    case 7: return L"1999/12/31";
    case 11: return L"FALSE";
    case 16: return L"99-";
    case 17: return L"99";
    case 18: return L"99999";
    case 19: return L"9999999999";
    case 20:
    case 21: return L"9999999999999";
    case 135: return L"1999/12/31";
    default: return L"Some random text";
    }
}

LONG TextWidth(HDC dc, const wchar_t* text)
{
    SIZE size = {};
    if (!text || !*text || !GetTextExtentPoint32W(dc, text, lstrlenW(text), &size))
        return 0;
    return size.cx;
}

// The collection handed to one column position event: the proposal (a
// level copy) first, the column itself for the After event.
class ColumnEvent {
public:
    ColumnEvent(ColumnLayoutSeam* layout, HvColumn* copy)
        : layout_(layout), copy_(copy), columns_(HvSelectedCols::Create(layout->SelectionLayout(), true))
    {
        if (columns_ && copy_ && FAILED(columns_->InsertItem(-1, copy_, true, 0))) {
            columns_->Release();
            columns_ = nullptr;
        }
    }
    ColumnEvent(const ColumnEvent&) = delete;
    ColumnEvent& operator=(const ColumnEvent&) = delete;
    ~ColumnEvent()
    {
        if (copy_)
            copy_->Deactivate();
        if (columns_) {
            columns_->ClearCollection(true, 1);
            columns_->Release();
        }
        if (copy_)
            copy_->Release();
    }
    bool IsReady() const { return columns_ != nullptr; }
    bool FireBefore(Constants_PosChanged action, std::initializer_list<HvColumn*> marked)
    {
        for (HvColumn* column : marked)
            column->SetReadOnlyInEvent(true);
        const bool cancelled = layout_->FireBeforeColPosChanged(action, columns_);
        for (HvColumn* column : marked)
            column->SetReadOnlyInEvent(false);
        return cancelled;
    }
    void FireAfter(Constants_PosChanged action, std::initializer_list<HvColumn*> columns)
    {
        columns_->ClearCollection(true, 1);
        for (HvColumn* column : columns)
            columns_->InsertItem(-1, column, true, 0);
        layout_->FireAfterColPosChanged(action, columns_);
    }
    void Add(HvColumn* copy)
    {
        if (columns_)
            columns_->InsertItem(-1, copy, true, 0);
    }

private:
    ColumnLayoutSeam* layout_;
    HvColumn* copy_;  // one reference
    HvSelectedCols* columns_;
};

} // namespace

// --- widths --------------------------------------------------------------------

LONG HvColumn::GetDefaultWidth()
{
    if (record_)
        return record_->width;
    if (explicitWidth_ > 0)
        return explicitWidth_;
    if (currentWidth_ > 0)
        return currentWidth_;
    if (band_) {
        const LONG resolved = band_->ResolveSetting(ColumnSettingId::DefaultColWidth);
        if (resolved > 0)
            return currentWidth_ = resolved;
    }
    return currentWidth_ = MeasureDefaultWidth();
}

LONG HvColumn::MeasureDefaultWidth()
{
    HDC dc = GetDC(nullptr);
    if (!dc) {
        const LONG rowHeight = band_ ? band_->ResolveSetting(ColumnSettingId::DefaultRowHeight) : 0;
        return 4 * std::max<LONG>(rowHeight, 0);
    }
    HFONT font = nullptr;
    if (header_) {
        if (PropertySinkConnection* connection = header_->Appearance().GetFontConnection())
            font = connection->GetHFont();
    }
    if (!font && band_)
        font = band_->HeaderFont();
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    CDualString caption;
    GetCaptionText(caption);
    BSTR text = caption.AllocSysString();
    LONG captionWidth = TextWidth(dc, text);
    SysFreeString(text);
    if (CanSwap())
        captionWidth += 12;
    if (GetSortIndicator() != SortIndicatorDisabled)
        captionWidth += 12;
    const LONG sampleWidth = TextWidth(dc, SampleText(settings_.dataType));
    if (old)
        SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    LONG width = std::max(captionWidth, sampleWidth) + 10;
    if (settings_.maxWidth > 0 && width >= settings_.maxWidth)
        width = settings_.maxWidth;
    return width;
}

LONG HvColumn::GetMinWidth()
{
    switch (ResolveStyle()) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 8:
        return std::max<LONG>(GetSystemMetrics(SM_CXVSCROLL), settings_.minWidth);
    default:
        return std::max<LONG>(TwipsToPixelsX(120), settings_.minWidth);
    }
}

bool HvColumn::IsWidthLockedFor(bool sizingByUser)
{
    if (IsHiddenItem())
        return true;
    if (!sizingByUser)
        return false;
    return (band_ && band_->ResolveSetting(ColumnSettingId::AllowColSizing) == 1) ||
           (settings_.flags & FlagLockedWidth) != 0;
}

void HvColumn::GetWidthBounds(bool sizingByUser, LONG* minWidth, LONG* maxWidth)
{
    LONG low;
    LONG high;
    if (IsWidthLockedFor(sizingByUser)) {
        low = high = GetDefaultWidth();
    } else if (group_) {
        group_->GetColumnWidthBounds(this, sizingByUser, &low, &high);
    } else {
        low = GetMinWidth();
        high = settings_.maxWidth;
    }
    if (minWidth)
        *minWidth = low;
    if (maxWidth)
        *maxWidth = high;
}

bool HvColumn::IsWidthLocked(GridColumnSeam* context, bool fit)
{
    if (context == this)
        return true;
    return IsWidthLockedFor(fit);
}

bool HvColumn::IsExcludedFromResize(GridColumnSeam* context)
{
    return context == this || IsHiddenItem();
}

void HvColumn::StoreWidth(LONG width)
{
    currentWidth_ = width;
    sized_ = true;
    if (explicitWidth_ > 0)
        explicitWidth_ = width;
}

void HvColumn::SetWidthInternal(LONG width, GridColumnSeam*, bool)
{
    SetWidthInternal(width, false, false, true);
}

HRESULT HvColumn::SetWidthInternal(LONG width, bool fireEvents, bool refitGroup, bool notify)
{
    LONG low = 0;
    LONG high = 0;
    GetWidthBounds(false, &low, &high);
    auto clamp = [&](LONG value) {
        value = std::max(value, low);
        return high > low ? std::min(value, high) : value;
    };
    width = clamp(width);
    if (width == GetDefaultWidth())
        return S_OK;
    ColumnLayoutSeam* layout = ItemLayout();
    if (fireEvents && layout && layout->CanFireEvents()) {
        HvColumn* copy = MakeLevelCopy(hvPosSized);
        if (!copy)
            return E_OUTOFMEMORY;
        copy->record_->width = width;
        ColumnEvent event(layout, copy);
        if (!event.IsReady())
            return E_OUTOFMEMORY;
        if (event.FireBefore(hvPosSized, {this}))
            return S_OK;
        // The handler may have changed the width: it keeps to the same bounds.
        StoreWidth(clamp(copy->record_->width));
        if (refitGroup && group_)
            group_->UpdateWidthFromColumns(false, false, false);
        if (notify)
            NotifySubscribers(WidthId, 0);
        event.FireAfter(hvPosSized, {this});
        return S_OK;
    }
    StoreWidth(width);
    if (refitGroup && group_)
        group_->UpdateWidthFromColumns(false, false, false);
    if (notify)
        NotifySubscribers(WidthId, 0);
    return S_OK;
}

// --- position ------------------------------------------------------------------

HRESULT HvColumn::SetVisiblePosition(SHORT position)
{
    HRESULT hr = CheckSetter();
    if (FAILED(hr))
        return hr;
    if (position < 0)
        return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    ColumnLayoutSeam* layout = ItemLayout();
    auto move = [&]() -> HRESULT {
        bool moved = false;
        HRESULT result;
        if (group_) {
            HvGroupCols* list = group_->GetGroupCols(false);
            result = list ? list->MoveColumnTo(this, position, &moved) : E_FAIL;
        } else {
            result = band_ ? band_->MoveHeader(this, position, &moved) : E_FAIL;
        }
        if (SUCCEEDED(result) && moved)
            NotifySubscribers(VisiblePositionId, 0);
        return result;
    };
    if (!layout || !layout->CanFireEvents())
        return move();
    HvColumn* copy = MakeLevelCopy(hvPosMoved);
    if (!copy)
        return E_OUTOFMEMORY;
    copy->record_->visiblePosition = position;
    ColumnEvent event(layout, copy);
    if (!event.IsReady())
        return E_OUTOFMEMORY;
    if (event.FireBefore(hvPosMoved, {this}))
        return S_OK;
    hr = move();
    if (FAILED(hr))
        return hr;
    event.FireAfter(hvPosMoved, {this});
    return S_OK;
}

HRESULT HvColumn::Swap(HvColumnGroupImpl* otherItem)
{
    HvColumn* other = dynamic_cast<HvColumn*>(otherItem);
    ColumnLayoutSeam* layout = ItemLayout();
    if (!other || other == this || !layout)
        return S_OK;
    const bool design = layout->IsDesignMode();
    if (!design && !layout->CanFireEvents())
        return S_OK;
    // Both places are taken before the event.
    const SHORT myPosition = GetVisiblePosition();
    const SHORT otherPosition = other->GetVisiblePosition();
    HvGroup* myGroup = group_;
    HvGroup* otherGroup = other->group_;
    const SHORT myLevel = settings_.level;
    const SHORT otherLevel = other->settings_.level;
    HvColumn* mine = MakeLevelCopy(hvPosSwapped);
    HvColumn* theirs = other->MakeLevelCopy(hvPosSwapped);
    if (!mine || !theirs) {
        if (mine)
            mine->Release();
        if (theirs)
            theirs->Release();
        return E_OUTOFMEMORY;
    }
    mine->record_->visiblePosition = otherPosition;
    mine->record_->group = otherGroup;
    mine->record_->level = otherLevel;
    theirs->record_->visiblePosition = myPosition;
    theirs->record_->group = myGroup;
    theirs->record_->level = myLevel;
    ColumnEvent event(layout, mine);
    event.Add(theirs);
    struct Drop {
        HvColumn* copy;
        ~Drop()
        {
            copy->Deactivate();
            copy->Release();
        }
    } dropTheirs{theirs};
    if (!event.IsReady())
        return E_OUTOFMEMORY;
    if (!design && event.FireBefore(hvPosSwapped, {this, other}))
        return S_OK;
    HRESULT hr = S_OK;
    if (myGroup && myGroup == otherGroup) {
        HvGroupCols* list = myGroup->GetGroupCols(false);
        hr = list ? list->SwapColumns(this, other) : E_FAIL;
        std::swap(settings_.level, other->settings_.level);
    } else if (myGroup || otherGroup) {
        VARIANT level;
        V_VT(&level) = VT_I2;
        V_I2(&level) = otherLevel;
        hr = MoveToGroup(otherGroup, &level, otherPosition);
        if (SUCCEEDED(hr)) {
            V_I2(&level) = myLevel;
            hr = other->MoveToGroup(myGroup, &level, myPosition);
        }
    } else if (band_) {
        bool moved = false;
        hr = band_->MoveHeader(other, myPosition, &moved);
        if (SUCCEEDED(hr))
            hr = band_->MoveHeader(this, otherPosition, &moved);
    }
    if (FAILED(hr))
        return hr;
    NotifySubscribers(VisiblePositionId, 0);
    other->NotifySubscribers(VisiblePositionId, 0);
    if (!design)
        event.FireAfter(hvPosSwapped, {this, other});
    return S_OK;
}

void HvColumn::FillSwapList(std::vector<HvColumnGroupImpl*>& items)
{
    GridBandSeam* band = band_ ? band_->GridBand() : nullptr;
    HvColumns* columns = band ? band->Columns() : nullptr;
    if (!columns)
        return;
    const bool withinGroup = band_->ResolveSetting(ColumnSettingId::AllowColSwapping) == hvAllowColSwappingWithinGroup;
    for (LONG i = 0; i < columns->ItemCount(); ++i) {
        auto* column = dynamic_cast<HvColumn*>(columns->ItemAtPosition(i));
        if (!column || column == this || column->HasChildBand() || column->IsHiddenItem())
            continue;
        if (withinGroup && column->group_ != group_)
            continue;
        items.push_back(column);
    }
}

// --- level and group ---------------------------------------------------------

SHORT HvColumn::Level()
{
    return record_ ? record_->level : settings_.level;
}

void HvColumn::SetLevel(SHORT level, bool move)
{
    if (move && group_) {
        if (HvGroupCols* list = group_->GetGroupCols(false)) {
            bool moved = false;
            list->MoveColumnBy(this, level, &moved);
        }
        settings_.level = level;
        NotifySubscribers(LevelId, 0);
        return;
    }
    settings_.level = level;
}

void HvColumn::GetPositionRecord(SHORT* visiblePosition, SHORT* level)
{
    if (visiblePosition)
        *visiblePosition = GetVisiblePosition();
    if (level)
        *level = Level();
}

void HvColumn::SetGroup(GridGroupSeam* group, SHORT minimumLevel)
{
    group_ = dynamic_cast<HvGroup*>(group);
    if (settings_.level < minimumLevel)
        settings_.level = minimumLevel;
    HvGroupCols* list = group_ ? group_->GetGroupCols(false) : nullptr;
    groupLink_.reset(list ? new SubscriptionLink(list) : nullptr);
    if (groupLink_)
        groupLink_->RelinkSubscription(this);
}

HRESULT HvColumn::MoveToGroup(HvGroup* group, const VARIANT* levelValue, SHORT position)
{
    if (group && group->HvColumnGroupImpl::Band() != band_)
        return RaiseError(ColumnError::OtherBand, ColumnError::OtherBandString);
    const SHORT levels = band_ ? std::max<SHORT>(band_->LevelCount(), 1) : 1;
    SHORT level = settings_.level;
    bool given = false;
    if (levelValue && V_VT(levelValue) != VT_EMPTY && V_VT(levelValue) != VT_NULL &&
        !(V_VT(levelValue) == VT_ERROR && V_ERROR(levelValue) == DISP_E_PARAMNOTFOUND)) {
        given = true;
        if (V_VT(levelValue) == VT_I2) {
            level = V_I2(levelValue);
        } else {
            VARIANT converted;
            VariantInit(&converted);
            if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(levelValue), 0, VT_UI1)))
                return RaiseError(ColumnError::BadLevel, ColumnError::BadLevelString);
            level = V_UI1(&converted);
        }
    }
    if (level < 0 || level >= levels) {
        if (given)
            return RaiseError(ColumnError::BadLevel, ColumnError::BadLevelString);
        level = static_cast<SHORT>(levels - 1);
    }
    if (group == group_) {
        if (group && level != settings_.level)
            SetLevel(level, true);
        return S_OK;
    }
    HvGroup* old = group_;
    if (old) {
        if (HvGroupCols* list = old->GetGroupCols(false))
            list->RemoveColumn(this);
        group_ = nullptr;
        groupLink_.reset();
    }
    if (!group)
        return S_OK;
    HvGroupCols* list = group->GetGroupCols(true);
    if (!list)
        return E_OUTOFMEMORY;
    const HRESULT hr = list->PositionAt(this, position < 0 ? SHORT(0x7FFF) : position, level);
    if (FAILED(hr))
        return hr == CollectionError::BadIndex ? RaiseError(ColumnError::BadIndex, ColumnError::BadIndexString) : hr;
    SetGroup(group, level);
    settings_.level = level;
    return S_OK;
}

HRESULT HvColumn::JoinGroup(GridGroupSeam* groupSeam, VARIANT* visiblePosition, VARIANT* level)
{
    HvGroup* group = dynamic_cast<HvGroup*>(groupSeam);
    if (!group)
        return E_FAIL;
    SHORT position = -1;
    if (visiblePosition && V_VT(visiblePosition) != VT_EMPTY &&
        !(V_VT(visiblePosition) == VT_ERROR && V_ERROR(visiblePosition) == DISP_E_PARAMNOTFOUND)) {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, visiblePosition, 0, VT_I2)) || V_I2(&converted) < 0)
            return RaiseError(ColumnError::BadIndex, ColumnError::BadIndexString);
        position = V_I2(&converted);
    }
    return MoveToGroup(group, level, position);
}

HRESULT HvColumn::LeaveGroup()
{
    return MoveToGroup(nullptr, nullptr, -1);
}
