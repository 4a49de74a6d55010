// HvBand: construction and tear-down, the hierarchy, columns and groups with
// their header order, the header layout, and the notices the band hears.
#include "HvBand.h"

#include "AppearanceData.h"
#include "BandHeaderItem.h"
#include "BandLayoutSeam.h"
#include "BandsLayoutSeam.h"
#include "ChangeNotice.h"
#include "GridColumnSeam.h"
#include "GridGroupSeam.h"
#include "HvBands.h"
#include "HvColumnGroupImpl.h"
#include "HvColumn.h"
#include "HvColumns.h"
#include "HvGroups.h"
#include "HvLayout.h"
#include "HvOverride.h"
#include "HvSelectableItem.h"
#include "HvSortedCols.h"
#include "ObjectInfo.h"
#include "OwnedElementLookup.h"
#include "SortColumnSeam.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DISPID kOverrideId = 1031;
constexpr DISPID kColumnsId = 1032;
constexpr DISPID kGroupsId = 1044;
// Collection changes of Columns: add, remove, clear.
constexpr std::int32_t kCollectionAdd = 2001;
constexpr std::int32_t kCollectionRemove = 2002;
constexpr std::int32_t kCollectionClear = 2004;
// Override settings whose change moves the band's metrics.
constexpr std::int32_t kCellPaddingId = 0x3f4;
constexpr std::int32_t kCellSpacingId = 0x3f5;
constexpr std::int32_t kHeaderAppearanceId = 1045;
// Column changes.
constexpr std::int32_t kButtonDisplayStyleId = 1111;
constexpr std::int32_t kStyleId = 1132;

bool MovesColumnMetrics(std::int32_t what)
{
    switch (what) {
    case kColumnsId:
    case 1056: // Width
    case 1100: // ColSpan
    case 1122: // Level
    case 1127: // Hidden
    case 1135: // VisiblePosition
        return true;
    default:
        return false;
    }
}

// The column whose cell appearance changed only in how its cells look
// (not their font, picture or its placing, which move what they show), or
// null. columnNotice is the column's own notice.
HvColumnGroupImpl* CellLookChanged(const ChangeNotice* columnNotice)
{
    constexpr std::int32_t kCellAppearanceId = 1263;
    constexpr std::uint32_t kMovesContent =
        AppearanceBit::Font | AppearanceBit::Picture | AppearanceBit::PictureAlign | AppearanceBit::PictureVAlign;
    if (!columnNotice || columnNotice->what != kCellAppearanceId || !columnNotice->argument)
        return nullptr;
    const auto* look = reinterpret_cast<const ChangeNotice*>(columnNotice->argument);
    if (look->what == -1 || (static_cast<std::uint32_t>(look->what) & kMovesContent) != 0)
        return nullptr;
    return dynamic_cast<HvColumnGroupImpl*>(columnNotice->publisher);
}

// A header entry of the band's order as the header layout sees it: the
// column's or group's shared part, or any item answering BandHeaderItem.
class HeaderEntry {
public:
    explicit HeaderEntry(HvKeyedItem* item)
        : shared_(dynamic_cast<HvColumnGroupImpl*>(item)), item_(shared_ ? nullptr : dynamic_cast<BandHeaderItem*>(item))
    {
    }
    explicit operator bool() const { return shared_ || item_; }
    bool IsGroup() const { return shared_ ? shared_->IsGroup() : item_->IsGroup(); }
    bool IsHidden() { return shared_ ? shared_->IsHiddenItem() : item_->IsHiddenItem(); }
    LONG Width() { return shared_ ? shared_->GetWidth(false) : item_->GetWidth(false); }
    void SetOrigin(LONG offset) { shared_ ? shared_->SetStoredOrigin(offset) : item_->SetStoredOrigin(offset); }
    void SetFirst(bool first) { shared_ ? shared_->SetFirstItem(first) : item_->SetFirstItem(first); }
    void SetLast(bool last) { shared_ ? shared_->SetLastItem(last) : item_->SetLastItem(last); }
    void GetCaption(CDualString& text) { shared_ ? shared_->GetCaption(text) : item_->GetCaption(text); }

private:
    HvColumnGroupImpl* shared_;
    BandHeaderItem* item_;
};

} // namespace

HvBand::HvBand(BandLayoutSeam* layout, ChangeSubscriber* subscriber, BandBindingSeam* binding, HvBand* parent,
               const CDualString* key)
    : HvObjectBaseImpl(ObjectType::HvBand),
      layout_(layout),
      binding_(binding),
      parent_(parent),
      overrideLink_(static_cast<ChangeSubscriber*>(this)),
      columnsLink_(static_cast<ChangeSubscriber*>(this)),
      groupsLink_(static_cast<ChangeSubscriber*>(this)),
      layoutLink_(subscriber)
{
    if (subscriber)
        layoutLink_.RelinkSubscription(this);
    Reset(CodeGeneral, 0);
    if (SUCCEEDED(HvColumns::Create(this, &columns_)) && columns_)
        columnsLink_.RelinkSubscription(columns_);
    if (parent_)
        parent_->AddRef();
    if (binding_)
        binding_->AddListeners();
    if (key)
        key_.Assign(*key);
}

HvBand::~HvBand()
{
    Deactivate();
    if (parent_)
        parent_->Release();
    if (columns_)
        columns_->Release();
    if (sortedCols_)
        sortedCols_->Release();
    if (groups_) {
        groups_->ClearCollection(true, 1);
        groups_->Release();
    }
    if (override_)
        override_->Release();
    if (resolved_)
        resolved_->Release();
    DetachAllSubscribers();
}

HRESULT HvBand::Create(BandLayoutSeam* layout, ChangeSubscriber* subscriber, BandBindingSeam* binding,
                       HvBand* parent, const CDualString* key, HvBand** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        HvBand* band = new HvBand(layout, subscriber, binding, parent, key);
        if (!band->columns_) {
            band->Release();
            return E_OUTOFMEMORY;
        }
        *out = band;
        return S_OK;
    });
}

HvBand* HvBand::FromObject(IUnknown* object)
{
    return dynamic_cast<HvBand*>(HvKeyedItem::FromObject(object));
}

HRESULT HvBand::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

void HvBand::ReleaseReferences()
{
    parentColumn_ = nullptr;
    if (columns_)
        columns_->Deactivate();
    if (sortedCols_)
        sortedCols_->Deactivate();
    if (groups_)
        groups_->Deactivate();
    if (override_)
        override_->Deactivate();
    // The resolved override keeps the band alive: it goes now.
    if (resolved_) {
        HvOverride* resolved = resolved_;
        resolved_ = nullptr;
        resolved->Deactivate();
        resolved->Release();
    }
    overrideLink_.Unlink();
    columnsLink_.Unlink();
    groupsLink_.Unlink();
    layoutLink_.Unlink();
    if (binding_) {
        binding_->ReleaseHeldRows();
        binding_->RemoveListeners();
        binding_ = nullptr;
    }
    columnOrder_.clear();
    groupOrder_.clear();
    layout_ = nullptr;
}

HRESULT HvBand::CheckAlive()
{
    return IsActive() ? S_OK : NotActiveError();
}

// --- hierarchy --------------------------------------------------------------

BandsLayoutSeam* HvBand::Layout()
{
    return layout_ ? layout_->BandsSide() : nullptr;
}

ColumnLayoutSeam* HvBand::ColumnLayout()
{
    return layout_ ? layout_->ColumnSide() : nullptr;
}

LONG HvBand::GetDepth() const
{
    LONG depth = 0;
    for (const HvBand* band = parent_; band; band = band->parent_)
        ++depth;
    return depth;
}

bool HvBand::IsDescendantOf(const HvBand* band) const
{
    for (const HvBand* up = parent_; up; up = up->parent_)
        if (up == band)
            return true;
    return false;
}

bool HvBand::HasChildBands(bool skipHidden)
{
    if (!layout_ || layout_->BandsSide()->GetViewStyle() == BandsLayoutSeam::SingleBand)
        return false;
    HvBands* bands = layout_->Bands();
    if (!bands)
        return false;
    for (LONG i = 0;; ++i) {
        GridBandSeam* band = bands->BandAt(i);
        if (!band)
            return false;
        if (band->ParentBand() == this && !(skipHidden && band->IsEffectivelyHidden()))
            return true;
    }
}

bool HvBand::HasSiblingBands()
{
    if (!layout_ || layout_->BandsSide()->GetViewStyle() == BandsLayoutSeam::SingleBand)
        return false;
    HvBands* bands = layout_->Bands();
    if (!bands)
        return false;
    for (LONG i = 0;; ++i) {
        GridBandSeam* band = bands->BandAt(i);
        if (!band)
            return false;
        if (band != this && band->ParentBand() == parent_ && !band->IsEffectivelyHidden())
            return true;
    }
}

bool HvBand::IsEffectivelyHidden()
{
    if (flags_ & FlagHidden)
        return true;
    if (!parent_)
        return false;
    if (layout_ && layout_->ViewStyleHidesChildBands())
        return true;
    return parent_->IsEffectivelyHidden();
}

LONG HvBand::GetParentColumnIndex()
{
    if (!parent_ || !parentColumn_ || !parent_->columns_)
        return -1;
    return parent_->columns_->ColumnPosition(parentColumn_);
}

bool HvBand::MatchesBand(GridBandSeam* other)
{
    if (!other)
        return false;
    const CDualString* otherKey = other->BandItem()->GetKey();
    const char* otherText = otherKey ? otherKey->c_str() : "";
    if (key_.Compare(otherText) == 0)
        return true;
    return !parent_ && !other->ParentBand() && (key_.IsEmpty() || *otherText == '\0');
}

HRESULT HvBand::SetRowsetBinding(BandBindingSeam* binding)
{
    if (binding_) {
        binding_->ReleaseHeldRows();
        binding_->RemoveListeners();
    }
    binding_ = binding;
    if (binding_)
        binding_->AddListeners();
    // The columns take the new binding's descriptions in ordinal order; a
    // column past its last one (or every column, without binding) keeps
    // none, so that no column points into a binding that went away.
    for (LONG i = 0; columns_ && i < columns_->ItemCount(); ++i) {
        auto* column = dynamic_cast<HvColumn*>(columns_->ItemAtPosition(i));
        if (column)
            column->AttachColumnInfo(binding_ ? binding_->ColumnInfoAt(i) : nullptr);
    }
    return S_OK;
}

void HvBand::UpdateBinding()
{
    if (!binding_ || !layout_ || !layout_->BandsSide()->IsGridOwnLayout())
        return;
    const bool outOfView =
        IsEffectivelyHidden() || (parent_ && layout_->BandsSide()->GetViewStyle() == BandsLayoutSeam::SingleBand);
    binding_->Configure(ResolveSetting(0x40f) != 2, outOfView, ResolveSetting(0x898));
    std::vector<BandBindingSeam::SortColumn> keys;
    for (LONG i = 0; sortedCols_ && i < sortedCols_->ItemCount(); ++i) {
        auto* column = dynamic_cast<HvColumn*>(sortedCols_->ItemAtPosition(i));
        const LONG indicator = column ? column->GetSortIndicator() : SortIndicatorNone;
        if (indicator == SortIndicatorAscending || indicator == SortIndicatorDescending)
            keys.push_back({column->SourceInfo(), indicator == SortIndicatorAscending});
    }
    binding_->SetSortColumns(keys.data(), keys.size());
}

HRESULT HvBand::ExpandRows(bool expand, bool touchChildren, LONG parentRow)
{
    if (parentRow == 0) {
        HRESULT hr = EnsureOverride();
        if (SUCCEEDED(hr))
            hr = override_->put_ExpandRowsOnLoad(expand ? hvExpandOnLoadYes : hvExpandOnLoadNo);
        if (FAILED(hr))
            return hr;
    }
    return binding_ ? binding_->ExpandHeldRows(expand, touchChildren) : S_OK;
}

void HvBand::GetAddButtonText(CDualString& text)
{
    if (!addButtonCaption_.IsEmpty()) {
        text.Assign(addButtonCaption_);
        return;
    }
    HvKeyedItem* first = FirstColumnItem();
    if (!key_.IsEmpty() || !first) {
        text.Assign(key_);
        return;
    }
    text.Empty();
    if (HeaderEntry item{first})
        item.GetCaption(text);
    else if (const CDualString* columnKey = first->GetKey())
        text.Assign(*columnKey);
}

HvKeyedItem* HvBand::FirstColumnItem() const
{
    return columns_ ? columns_->ItemAtPosition(0) : nullptr;
}

// --- columns ----------------------------------------------------------------

LONG HvBand::GetColumnCount() const
{
    return columns_ ? columns_->ItemCount() : 0;
}

LONG HvBand::GetBoundColumnCount() const
{
    return columns_ ? columns_->EndOfFlaggedColumns() : 0;
}

LONG HvBand::GetColumnPosition(GridColumnSeam* column) const
{
    return columns_ && column ? columns_->ColumnPosition(column) : -1;
}

HRESULT HvBand::GetColumnByPosition(SHORT position, GridColumnSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!columns_)
        return E_OUTOFMEMORY;
    *out = columns_->ColumnAt(position);
    return *out ? S_OK : E_FAIL;
}

HRESULT HvBand::GetColumnByKey(const CDualString* key, GridColumnSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!columns_)
        return E_OUTOFMEMORY;
    *out = key ? columns_->FindColumnByKey(key) : nullptr;
    return *out ? S_OK : E_FAIL;
}

HRESULT HvBand::AddColumn(const CDualString* key, GridColumnSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!columns_)
        return E_FAIL;
    if (!layout_)
        return E_OUTOFMEMORY;
    GridColumnSeam* column = nullptr;
    HRESULT hr = layout_->CreateColumn(this, key, 0, &column);
    if (FAILED(hr) || !column)
        return FAILED(hr) ? hr : E_OUTOFMEMORY;
    HvKeyedItem* item = column->ColumnItem();
    hr = Guard([&] {
        columnOrder_.push_back(item);
        return S_OK;
    });
    if (SUCCEEDED(hr))
        hr = columns_->InsertVectorCollectionItem(-1, item, false, 0);
    if (FAILED(hr)) {
        columnOrder_.erase(std::remove(columnOrder_.begin(), columnOrder_.end(), item), columnOrder_.end());
        CAutomationObject::Deactivate(item->GetItemObject());
        item->ReleaseItem();
        return E_OUTOFMEMORY;
    }
    *out = column;
    return S_OK;
}

HRESULT HvBand::RemoveColumnHeader(GridColumnSeam* column)
{
    if (!columns_ || !column || columns_->ColumnPosition(column) < 0)
        return E_FAIL;
    HvKeyedItem* item = column->ColumnItem();
    columnOrder_.erase(std::remove(columnOrder_.begin(), columnOrder_.end(), item), columnOrder_.end());
    column->LeaveGroup();
    CAutomationObject::Deactivate(item->GetItemObject());
    return columns_->RemoveVectorCollectionItem(item);
}

HRESULT HvBand::GetColumnItem(VARIANT index, GridColumnSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!columns_)
        return E_OUTOFMEMORY;
    GridColumnSeam* column = nullptr;
    HRESULT hr = columns_->LookupColumn(&index, &column);
    if (FAILED(hr))
        return hr;
    if (!column)
        return E_FAIL;
    column->ColumnItem()->ReleaseItem(); // Columns keeps it
    *out = column;
    return S_OK;
}

HRESULT HvBand::GetColumnByIndex(LONG index, GridColumnSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!columns_)
        return E_OUTOFMEMORY;
    for (LONG i = 0; i < GetColumnCount(); ++i) {
        GridColumnSeam* column = columns_->ColumnAt(i);
        if (column && column->GetCollectionIndex() == index) {
            *out = column;
            return S_OK;
        }
    }
    return E_FAIL;
}

// --- groups -----------------------------------------------------------------

HvGroups* HvBand::GetGroups(bool create)
{
    if (!groups_ && create && IsActive()) {
        if (SUCCEEDED(HvGroups::Create(this, false, &groups_)) && groups_)
            groupsLink_.RelinkSubscription(groups_);
    }
    return groups_;
}

bool HvBand::HasGroups() const
{
    return groups_ && groups_->ItemCount() > 0;
}

HRESULT HvBand::CreateGroup(HvGroups* groups, const CDualString* key, GridGroupSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!layout_)
        return E_FAIL;
    return layout_->CreateGroup(this, groups, key, out);
}

HRESULT HvBand::AppendGroupHeader(GridGroupSeam* group)
{
    if (!groups_ || !group)
        return E_FAIL;
    if (group->Band() != this)
        return E_INVALIDARG;
    HvKeyedItem* item = group->GroupItem();
    if (std::find(groupOrder_.begin(), groupOrder_.end(), item) != groupOrder_.end())
        return E_FAIL;
    return Guard([&] {
        groupOrder_.push_back(item);
        return S_OK;
    });
}

void HvBand::RemoveGroupHeader(GridGroupSeam* group)
{
    if (!groups_ || !group || group->Band() != this)
        return;
    HvKeyedItem* item = group->GroupItem();
    groupOrder_.erase(std::remove(groupOrder_.begin(), groupOrder_.end(), item), groupOrder_.end());
}

// --- header order -----------------------------------------------------------

void HvBand::RebuildColumnOrder()
{
    columnOrder_.clear();
    for (LONG i = 0; i < GetColumnCount(); ++i)
        columnOrder_.push_back(columns_->ItemAtPosition(i));
}

void HvBand::RebuildGroupOrder()
{
    groupOrder_.clear();
    for (LONG i = 0; groups_ && i < groups_->ItemCount(); ++i)
        groupOrder_.push_back(groups_->ItemAtPosition(i));
}

bool HvBand::ColumnOrderDiffers() const
{
    if (static_cast<LONG>(columnOrder_.size()) != GetColumnCount())
        return true;
    for (size_t i = 0; i < columnOrder_.size(); ++i)
        if (columns_->ItemAtPosition(static_cast<LONG>(i)) != columnOrder_[i])
            return true;
    return false;
}

bool HvBand::GroupOrderDiffers() const
{
    const LONG count = groups_ ? groups_->ItemCount() : 0;
    if (static_cast<LONG>(groupOrder_.size()) != count)
        return true;
    for (size_t i = 0; i < groupOrder_.size(); ++i)
        if (groups_->ItemAtPosition(static_cast<LONG>(i)) != groupOrder_[i])
            return true;
    return false;
}

namespace {

HRESULT PositionIn(const std::vector<HvKeyedItem*>& order, HvKeyedItem* item, SHORT* out)
{
    const auto at = std::find(order.begin(), order.end(), item);
    *out = at == order.end() ? static_cast<SHORT>(0xFFFF) : static_cast<SHORT>(at - order.begin());
    return S_OK;
}

} // namespace

HRESULT HvBand::GetColumnHeaderPosition(GridColumnSeam* column, SHORT* out)
{
    if (!out || !column || GetColumnPosition(column) < 0)
        return E_INVALIDARG;
    return PositionIn(columnOrder_, column->ColumnItem(), out);
}

HRESULT HvBand::GetGroupHeaderPosition(GridGroupSeam* group, SHORT* out)
{
    if (!out || !group || group->Band() != this)
        return E_INVALIDARG;
    return PositionIn(groupOrder_, group->GroupItem(), out);
}

namespace {

// Moves item to index; unchanged when it is there already.
HRESULT MoveInOrder(std::vector<HvKeyedItem*>& order, HvKeyedItem* item, LONG position, bool* changed,
                    CAutomationObject& raiser)
{
    if (changed)
        *changed = false;
    const auto at = std::find(order.begin(), order.end(), item);
    if (at != order.end() && at - order.begin() == position)
        return S_OK;
    if (position < 0 || position >= static_cast<LONG>(order.size()))
        return raiser.Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (at != order.end())
        order.erase(at);
    order.insert(order.begin() + std::min<LONG>(position, static_cast<LONG>(order.size())), item);
    if (changed)
        *changed = true;
    return S_OK;
}

} // namespace

HRESULT HvBand::SetColumnHeaderPosition(GridColumnSeam* column, LONG position, bool* changed)
{
    if (!column || GetColumnPosition(column) < 0)
        return E_INVALIDARG;
    return Guard([&] { return MoveInOrder(columnOrder_, column->ColumnItem(), position, changed, *this); });
}

HRESULT HvBand::SetGroupHeaderPosition(GridGroupSeam* group, LONG position, bool* changed)
{
    if (!group || group->Band() != this)
        return E_INVALIDARG;
    return Guard([&] { return MoveInOrder(groupOrder_, group->GroupItem(), position, changed, *this); });
}

namespace {

HvKeyedItem* FindShared(const std::vector<HvKeyedItem*>& order, HvColumnGroupImpl* item)
{
    if (!item)
        return nullptr;
    CAutomationObject* object = &item->Automation();
    for (HvKeyedItem* entry : order)
        if (entry->GetItemObject() == object)
            return entry;
    return nullptr;
}

} // namespace

SHORT HvBand::HeaderPosition(HvColumnGroupImpl* item)
{
    if (!item)
        return -1;
    const std::vector<HvKeyedItem*>& order = item->IsGroup() ? groupOrder_ : columnOrder_;
    HvKeyedItem* entry = FindShared(order, item);
    if (!entry)
        return -1;
    return static_cast<SHORT>(std::find(order.begin(), order.end(), entry) - order.begin());
}

HRESULT HvBand::MoveHeader(HvColumnGroupImpl* item, SHORT position, bool* moved)
{
    if (!item)
        return E_INVALIDARG;
    std::vector<HvKeyedItem*>& order = item->IsGroup() ? groupOrder_ : columnOrder_;
    HvKeyedItem* entry = FindShared(order, item);
    if (!entry)
        return E_INVALIDARG;
    return Guard([&] { return MoveInOrder(order, entry, position, moved, *this); });
}

namespace {

// order, keeping only members, then the members it does not name.
std::vector<HvKeyedItem*> Reordered(const std::vector<HvKeyedItem*>& order, const std::vector<HvKeyedItem*>& members)
{
    std::vector<HvKeyedItem*> result;
    for (HvKeyedItem* item : order)
        if (std::find(members.begin(), members.end(), item) != members.end() &&
            std::find(result.begin(), result.end(), item) == result.end())
            result.push_back(item);
    for (HvKeyedItem* item : members)
        if (std::find(result.begin(), result.end(), item) == result.end())
            result.push_back(item);
    return result;
}

} // namespace

HRESULT HvBand::SetColumnHeaderOrder(const std::vector<HvKeyedItem*>& order, std::vector<HvKeyedItem*>* previous)
{
    return Guard([&] {
        std::vector<HvKeyedItem*> members;
        for (LONG i = 0; i < GetColumnCount(); ++i)
            members.push_back(columns_->ItemAtPosition(i));
        std::vector<HvKeyedItem*> next = Reordered(order, members);
        if (previous)
            *previous = columnOrder_;
        columnOrder_.swap(next);
        return S_OK;
    });
}

HRESULT HvBand::SetGroupHeaderOrder(const std::vector<HvKeyedItem*>& order, std::vector<HvKeyedItem*>* previous)
{
    return Guard([&] {
        std::vector<HvKeyedItem*> members;
        for (LONG i = 0; groups_ && i < groups_->ItemCount(); ++i)
            members.push_back(groups_->ItemAtPosition(i));
        std::vector<HvKeyedItem*> next = Reordered(order, members);
        if (previous)
            *previous = groupOrder_;
        groupOrder_.swap(next);
        return S_OK;
    });
}

// --- header layout ----------------------------------------------------------

void HvBand::LayoutHeaders(GridBandSeam*)
{
    if (layout_)
        layout_->EnsureMetrics();
    pendingExtent_ = 0;
    LONG position = 0;
    bool shownAny = false;
    HvKeyedItem* last = nullptr;
    for (HvKeyedItem* entry : GetHeaderOrder()) {
        HeaderEntry item(entry);
        if (!item)
            continue;
        if (item.IsHidden()) {
            item.SetOrigin(0);
            continue;
        }
        const LONG width = item.Width();
        const bool first = !shownAny;
        item.SetFirst(first);
        item.SetOrigin(position);
        item.SetLast(false);
        if (width > 0) {
            // The first item's extent holds the selector and indicator
            // columns: the items after it start past them.
            position += width + (first ? RowSelectorWidth() + ExpansionIndicatorWidth() : 0);
            shownAny = true;
            last = entry;
        }
    }
    if (last)
        HeaderEntry(last).SetLast(true);
    extent_ = position;
    if (extent_ < 1)
        extent_ += RowSelectorWidth() + ExpansionIndicatorWidth();
    origin_ = 0;
    if (layout_ && layout_->HasViewStyle())
        layout_->ViewStylePlaceBand(this);
}

void HvBand::ApplyPendingExtentChange()
{
    extent_ += pendingExtent_;
    if (pendingExtent_ && layout_)
        layout_->ViewStyleExtentChanged(this, pendingExtent_);
    pendingExtent_ = 0;
}

LONG HvBand::GetColumnPositionInBand(GridColumnSeam* column)
{
    if (!column || GetColumnPosition(column) < 0)
        return -1;
    HvKeyedItem* target = column->ColumnItem();
    LONG position = 0;
    for (HvKeyedItem* entry : columnOrder_) {
        HeaderEntry item(entry);
        const bool hidden = item ? item.IsHidden() : false;
        if (entry == target)
            return hidden ? -1 : position;
        if (!hidden)
            position += item ? item.Width() : column->Width();
    }
    return -1;
}

// --- notices ----------------------------------------------------------------

void HvBand::NotifyLayout(const ChangeNotice* inner, DISPID what)
{
    NotifySubscribers(what, reinterpret_cast<std::intptr_t>(inner));
}

void HvBand::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    BandsLayoutSeam* bands = layout_ ? layout_->BandsSide() : nullptr;
    if (override_ && notice->publisher == static_cast<ChangePublisher*>(override_)) {
        if (notice->what == kCellPaddingId || notice->what == kCellSpacingId)
            rowHeightValid_ = false;
        else if (notice->what == kHeaderAppearanceId)
            colHeaderLineValid_ = groupHeaderLineValid_ = false;
        NotifyLayout(notice, kOverrideId);
        return;
    }
    if (columns_ && notice->publisher == static_cast<ChangePublisher*>(columns_)) {
        const ChangeNotice* inner = reinterpret_cast<const ChangeNotice*>(notice->argument);
        const std::int32_t what = notice->what == kColumnsId && inner ? inner->what : notice->what;
        if (what == kCollectionAdd || what == kCollectionRemove || what == kCollectionClear) {
            if (bands) {
                bands->SetColumnMetricsDirty(true);
                bands->MarkColScrollRegionsDirty();
            }
        }
        if (what == kButtonDisplayStyleId || what == kStyleId)
            InvalidateHeaderHeights();
        if (MovesColumnMetrics(what) && bands) {
            bands->SetColumnMetricsDirty(true);
            bands->MarkColScrollRegionsDirty();
        }
        // A new look of a column's cells repaints those cells; anything
        // else lays the grid out again.
        HvColumnGroupImpl* restyled = notice->what == kColumnsId ? CellLookChanged(inner) : nullptr;
        if (bands && !RefreshColumnCells(restyled ? dynamic_cast<HvLayout*>(layout_) : nullptr, restyled))
            bands->DirtyRootUIElement(true, true);
        NotifyLayout(notice, kColumnsId);
        return;
    }
    if (groups_ && notice->publisher == static_cast<ChangePublisher*>(groups_)) {
        if (bands) {
            bands->SetColumnMetricsDirty(true);
            bands->MarkColScrollRegionsDirty();
        }
        NotifyLayout(notice, kGroupsId);
    }
}

bool HvBand::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    if (!override_ || from != static_cast<ChangePublisher*>(override_))
        return false;
    HvOverride* replacement = dynamic_cast<HvOverride*>(to);
    if (!replacement)
        return false;
    replacement->AddRef();
    HvOverride* old = override_;
    override_ = replacement;
    old->Release();
    NotifySubscribers(kOverrideId, 0);
    return true;
}

// --- selection ---

HvSelectableItem* HvBand::FindHeaderAfter()
{
    for (HvKeyedItem* entry : GetHeaderOrder()) {
        HeaderEntry item(entry);
        if (item && !item.IsHidden() && !item.IsGroup())
            return dynamic_cast<HvSelectableItem*>(entry);
    }
    return nullptr;
}

