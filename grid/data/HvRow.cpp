// HvRow: construction and tear-down, the self-references, state flags,
// heights, expansion, change notices and the row's selection, cell and
// deletion faces.
#include "HvRow.h"

#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "HvAppearance.h"
#include "HvAppearances.h"
#include "HvCells.h"
#include "RowBandSeam.h"
#include "RowDataSeam.h"

namespace {

// The row's private identity: answers the row itself, unreferenced by
// clients (AddRef'd like any interface).
const IID kRowIdentity = {0x6f1d2c4a, 0x8b3e, 0x4d71, {0x9a, 0x52, 0x3c, 0x7e, 0x1b, 0x90, 0x4f, 0x28}};

constexpr DISPID kCellsId = 1142;
constexpr DISPID kDataChangedId = 1079;
constexpr DISPID kExpandedId = 1183;
constexpr DISPID kSelectedId = -527;
constexpr DISPID kAppearanceId = -520;
constexpr DISPID kCellAppearanceId = 1263;
constexpr DISPID kRowSelectorAppearanceId = 1051;
constexpr DISPID kDeleteId = 2180;
constexpr HRESULT kNotExpandable = static_cast<HRESULT>(0x800A9C70);
constexpr WORD kNotExpandableString = 4040;

} // namespace

HvRow::HvRow(RowDataSeam* data, HvRow* parent, RowBandSeam* band, Constants_RowType type)
    : HvObjectBaseImpl(ObjectType::HvRow), band_(band), data_(data), parent_(parent), type_(type)
{
    if (band_)
        band_->AttachRow(this);
    if (parent_)
        parent_->CUnknownObject::AddRef();
    if (data_)
        data_->AddRefData();
    ResetHeightFromBand();
    if (DefaultExpandState() != hvExpandOnLoadNo)
        flags_ |= FlagExpanded;
    HvLayoutHost* host = band_ ? band_->LayoutHost() : nullptr;
    HvAppearances* appearances = band_ ? band_->Appearances() : nullptr;
    appearance_.Init(host, appearances, this);
    cellAppearance_.Init(host, appearances, this);
    rowSelectorAppearance_.Init(host, appearances, this);
    selfLink_.RelinkSubscription(this);
    if (data_ && band_ && band_->IsCurrentLayout()) {
        data_->AttachRowObject(this);
        data_->SetExpanded(IsExpanded());
        data_->SetHidden(false);
    }
}

HvRow::~HvRow()
{
    Deactivate();
    DetachAllSubscribers();
    if (band_)
        band_->DetachRow(this);
}

HRESULT HvRow::Create(RowDataSeam* data, HvRow* parent, RowBandSeam* band, Constants_RowType type, HvRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvRow(data, parent, band, type);
        return S_OK;
    });
}

HvRow* HvRow::FromObject(IUnknown* object)
{
    if (!object)
        return nullptr;
    HvRow* row = nullptr;
    if (FAILED(object->QueryInterface(kRowIdentity, reinterpret_cast<void**>(&row))) || !row)
        return nullptr;
    row->CUnknownObject::Release();
    return row;
}

HRESULT HvRow::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, kRowIdentity)) {
        *out = this;
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

void HvRow::ReleaseReferences()
{
    // A row ended while alive is held to the end of this: its cells may
    // hold its last reference and let it go as they are released.
    const bool alive = ReferenceCount() > 0;
    if (alive)
        CUnknownObject::AddRef();
    ReleaseAllSubscribers(0);
    cellsLink_.Unlink();
    selfLink_.Unlink();
    appearance_.Detach();
    cellAppearance_.Detach();
    rowSelectorAppearance_.Detach();
    if (RowDataSeam* data = data_) {
        data_ = nullptr;
        data->AttachRowObject(nullptr);
        data->ReleaseData();
    }
    if (HvRow* parent = parent_) {
        parent_ = nullptr;
        parent->CUnknownObject::Release();
    }
    if (HvCells* cells = cells_) {
        cells_ = nullptr;
        cells->Deactivate();
        cells->Release();
    }
    // Last: these may be the row's final references.
    ReleaseSelfReferences();
    if (alive)
        CUnknownObject::Release();
}

void HvRow::ReleaseSelfReferences()
{
    const bool self = (flags_ & FlagSelfRef) != 0;
    const bool expansion = (flags_ & FlagExpansionRef) != 0;
    flags_ &= static_cast<BYTE>(~(FlagSelfRef | FlagExpansionRef));
    if (self && expansion) {
        // Keep the object alive across the first release.
        CUnknownObject::Release();
        CUnknownObject::Release();
    } else if (self || expansion) {
        CUnknownObject::Release();
    }
}

void HvRow::EnsureReferenced()
{
    if ((flags_ & FlagSelfRef) || !IsActive())
        return;
    flags_ |= FlagSelfRef;
    CUnknownObject::AddRef();
}

HRESULT HvRow::CheckAlive()
{
    return IsActive() ? S_OK : NotActiveError();
}

HRESULT HvRow::Invalid()
{
    return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
}

// --- state -----------------------------------------------------------------

LONG HvRow::DefaultExpandState()
{
    if (parent_ && parent_->expandOnLoad_ != hvExpandOnLoadDefault)
        return parent_->ResolveExpandChildRowsOnLoad();
    return band_ ? band_->ResolveExpandRowsOnLoad() : LONG{hvExpandOnLoadDefault};
}

LONG HvRow::ResolveExpandChildRowsOnLoad()
{
    if (expandOnLoad_ != hvExpandOnLoadDefault)
        return expandOnLoad_;
    return band_ ? band_->ResolveExpandRowsOnLoad() : LONG{hvExpandOnLoadDefault};
}

LONG HvRow::ResolveActivation(LONG columnActivation) const
{
    return columnActivation > activation_ ? columnActivation : activation_;
}

bool HvRow::IsHidden()
{
    if (flags_ & FlagHidden)
        return true;
    if (band_ && band_->IsEffectivelyHidden())
        return true;
    if (data_ && data_->IsBeingDeleted())
        return true;
    return parent_ && parent_->IsHidden();
}

bool HvRow::IsActiveRow()
{
    return band_ && band_->ActiveRow() == this;
}

LONG HvRow::ResolveRowSpacingBefore()
{
    LONG value = spacingBefore_ >= 0 ? spacingBefore_ : (band_ ? band_->ResolveRowSpacingBefore() : 0);
    return value;
}

LONG HvRow::ResolveRowSpacingAfter()
{
    LONG value = spacingAfter_ >= 0 ? spacingAfter_ : (band_ ? band_->ResolveRowSpacingAfter() : 0);
    return value;
}

bool HvRow::IsFixedHeight()
{
    if (!IsActive() || (band_ && band_->IsDesignMode()))
        return true;
    switch (fixedHeight_) {
    case hvFixedHeightTrue:
        return true;
    case hvFixedHeightFalse:
        return false;
    default:
        return band_ && band_->IsRowSizingFixed();
    }
}

void HvRow::ApplyHeight(LONG pixels)
{
    if (local_ & LocalApplyingHeight)
        return;
    local_ |= LocalApplyingHeight;
    if (pixels != GetExplicitBasedHeight()) {
        const LONG content = GetContentHeight();
        if (pixels < content)
            pixels = content;
        const LONG frame = band_ ? 2 * (band_->ResolveCellSpacing() + band_->ResolveCellPadding()) : 0;
        const LONG height = pixels - frame;
        height_ = height < 0 ? 0 : height;
        EnsureReferenced();
        NotifySubscribers(1082, 0);
    }
    local_ &= static_cast<BYTE>(~LocalApplyingHeight);
}

void HvRow::ResetHeightFromBand()
{
    if (!band_)
        return;
    height_ = band_->ResolveDefaultRowHeight() - 2 * (band_->ResolveCellSpacing() + band_->ResolveCellPadding());
    heightVersion_ = band_->RowHeightVersion();
}

// The band changed its levels since the height was taken, or a row of a
// synchronized band was resized.
bool HvRow::IsHeightStale()
{
    const LONG version = band_->RowHeightVersion();
    return band_->RowHeightResetMark() > heightVersion_ ||
           (band_->ResolveRowSizing() == hvRowSizingSychronized && version != heightVersion_);
}

LONG HvRow::GetExplicitBasedHeight()
{
    if (!band_)
        return height_;
    if (IsHeightStale()) {
        ResetHeightFromBand();
        local_ &= static_cast<BYTE>(~LocalNaturalHeight);
    }
    if (!(local_ & LocalNaturalHeight)) {
        const LONG sizing = band_->ResolveRowSizing();
        if (sizing == hvRowSizingAutoFixed || sizing == hvRowSizingAutoFree) {
            const LONG natural = band_->CalcNaturalHeight(this);
            if (natural > 0)
                height_ = natural;
            local_ |= LocalNaturalHeight;
        }
    }
    return height_ + 2 * (band_->ResolveCellSpacing() + band_->ResolveCellPadding());
}

LONG HvRow::GetContentHeight()
{
    return band_ ? band_->CalcContentHeight(this) : 0;
}

LONG HvRow::GetHeight()
{
    const LONG explicitBased = GetExplicitBasedHeight();
    const LONG content = GetContentHeight();
    return explicitBased > content ? explicitBased : content;
}

LONG HvRow::GetTotalHeight()
{
    return ResolveRowSpacingBefore() + GetHeight() + ResolveRowSpacingAfter();
}

LONG HvRow::GetInnerHeight()
{
    return GetHeight() - 2 * (band_ ? band_->RowBorderWidth() : 0);
}

namespace {

bool IsMultiLevel(RowBandSeam* band)
{
    return band && band->LevelCount() > 1 && band->HasGroups();
}

} // namespace

LONG HvRow::GetLevelTop(LONG level, bool withoutBorder)
{
    const LONG border = withoutBorder || !band_ ? 0 : band_->RowBorderWidth();
    if (!IsMultiLevel(band_) || level >= band_->LevelCount() || level < 1)
        return border;
    return border + GetInnerHeight() * level / band_->LevelCount();
}

LONG HvRow::GetLevelHeight(LONG level)
{
    const LONG inner = GetInnerHeight();
    if (!IsMultiLevel(band_) || level >= band_->LevelCount())
        return inner;
    const LONG count = band_->LevelCount();
    const LONG top = level < 1 ? 0 : inner * level / count;
    const LONG next = level + 1 >= count ? inner : inner * (level + 1) / count;
    return next - top;
}

// --- cached answers ----------------------------------------------------------

namespace {

bool Cached(BYTE bits, BYTE knowBits)
{
    const BYTE value = static_cast<BYTE>(knowBits & (knowBits >> 1));
    const BYTE known = static_cast<BYTE>(knowBits & ~value);
    return (bits & known) && (bits & value);
}

} // namespace

bool HvRow::HasNextSiblingCached(bool deep)
{
    return data_ ? data_->HasNextSibling(deep) : Cached(cached_, KnowNext);
}

bool HvRow::HasPrevSiblingCached(bool deep)
{
    return data_ ? data_->HasPrevSibling(deep) : Cached(cached_, KnowPrev);
}

bool HvRow::HasNextSiblingSpanningBandsCached(bool deep)
{
    return data_ ? data_->HasNextSiblingSpanningBands(deep) : Cached(cached_, KnowNextSpan);
}

bool HvRow::HasPrevSiblingSpanningBandsCached(bool deep)
{
    return data_ ? data_->HasPrevSiblingSpanningBands(deep) : Cached(cached_, KnowPrevSpan);
}

bool HvRow::HasChildRows(bool deep)
{
    if (data_)
        return data_->HasChildRows(deep);
    return (local_ & LocalChildrenKnown) && (local_ & LocalHasChildren);
}

void HvRow::SetCachedAnswer(BYTE knowBits, bool value)
{
    const BYTE valueBit = static_cast<BYTE>(knowBits & (knowBits >> 1));
    cached_ |= static_cast<BYTE>(knowBits & ~valueBit);
    if (value)
        cached_ |= valueBit;
    else
        cached_ &= static_cast<BYTE>(~valueBit);
}

void HvRow::SetCachedHasChildRows(bool value)
{
    local_ |= LocalChildrenKnown;
    if (value)
        local_ |= LocalHasChildren;
    else
        local_ &= static_cast<BYTE>(~LocalHasChildren);
}

bool HvRow::ResetCachedAnswers(bool next, bool previous, bool children)
{
    if (next)
        cached_ &= static_cast<BYTE>(~(0x02 | 0x20));
    if (previous)
        cached_ &= static_cast<BYTE>(~(0x08 | 0x80));
    if (children)
        local_ &= static_cast<BYTE>(~LocalChildrenKnown);
    return false;
}

// --- expansion and data changes ---------------------------------------------

HRESULT HvRow::SetExpanded(bool expand, bool fireEvents, bool notify)
{
    if (expand && band_ && !band_->IsExpandable())
        return Exception(kNotExpandable, kNotExpandableString);
    if (!expand && band_) {
        HvRow* active = band_->ActiveRow();
        bool leads = false;
        for (HvRow* row = active; row; row = row->parent_) {
            if (row == this) {
                leads = true;
                break;
            }
        }
        if (leads) {
            const HRESULT hr = band_->DeactivateActiveRow();
            HvRow* still = band_->ActiveRow();
            if (still && still != this)
                return hr;
        }
    }
    const bool events = fireEvents && band_ && band_->CanFireEvents();
    if (events && band_->FireBeforeRowExpand(this, expand))
        return S_OK;
    if (!IsActive())
        return NotActiveError();
    const bool isDefault = expand == (DefaultExpandState() != hvExpandOnLoadNo);
    if (isDefault) {
        if (flags_ & FlagExpansionRef) {
            flags_ &= static_cast<BYTE>(~FlagExpansionRef);
            // The caller holds the row, so this is never the last reference.
            CUnknownObject::Release();
        }
    } else if (!(flags_ & FlagExpansionRef)) {
        flags_ |= FlagExpansionRef;
        CUnknownObject::AddRef();
    }
    if (expand)
        flags_ |= FlagExpanded;
    else
        flags_ &= static_cast<BYTE>(~FlagExpanded);
    if (data_ && band_ && band_->IsCurrentLayout()) {
        data_->SetExpanded(expand);
        // The rows shown change: the regions fill their rows anew.
        band_->RowExpansionChanged();
    }
    if (notify)
        NotifySubscribers(kExpandedId, 0);
    if (events)
        band_->FireAfterRowExpand(this, expand);
    return S_OK;
}

bool HvRow::CanShowChildRows()
{
    return band_ && band_->HasChildBands() && band_->IsExpandable();
}

bool HvRow::ShowsExpansionIndicator()
{
    if (expansionIndicator_ == hvExpansionIndicatorHide || !band_)
        return false;
    const LONG banded = band_->ResolveExpansionIndicator();
    if (banded == hvExpansionIndicatorHide)
        return false;
    if (expansionIndicator_ == hvExpansionIndicatorShow || banded == hvExpansionIndicatorShow)
        return true;
    if (banded == hvExpansionIndicatorDefault && !band_->ShowsIndicatorsByDefault())
        return false;
    return HasChildRows(false);
}

bool HvRow::IsShownExpanded()
{
    return ShowsExpansionIndicator() ? IsExpanded() : ShowsChildRows();
}

bool HvRow::AreAncestorsPassing()
{
    for (HvRow* row = parent_; row; row = row->parent_) {
        if (!row->ShowsChildRows())
            return false;
    }
    return true;
}

bool HvRow::ExpandAncestors()
{
    if (!parent_)
        return true;
    if (!parent_->ExpandAncestors())
        return false;
    if (!parent_->ShowsChildRows())
        parent_->put_Expanded(VARIANT_TRUE);
    return parent_->ShowsChildRows();
}

HRESULT HvRow::SetDataChanged(VARIANT_BOOL changed)
{
    const bool value = changed != VARIANT_FALSE;
    if (value != HasDataChanged()) {
        if (value)
            flags_ |= FlagDataChanged;
        else
            flags_ &= static_cast<BYTE>(~FlagDataChanged);
        NotifySubscribers(kDataChangedId, 0);
        if (data_ && band_) {
            if (value)
                band_->HoldRow(data_);
            else
                band_->ReleaseHeldRow(data_);
        }
    }
    // The cells' own DataChanged marks are cleared by the cells (they
    // follow the row's 1079 notice through their collection's owner).
    return S_OK;
}

HvCells* HvRow::GetCells()
{
    if (!IsActive())
        return nullptr;
    if (!cells_) {
        HvCells* cells = nullptr;
        if (FAILED(HvCells::Create(this, &cells)) || !cells)
            return nullptr;
        cells->EnsureSlots();
        cells_ = cells;
        cellsLink_.RelinkSubscription(cells_);
    }
    return cells_;
}

void HvRow::FireInitializeRow()
{
    if (cells_)
        cells_->SyncWithColumns();
    if (!band_ || !band_->CanFireEvents())
        return;
    flags_ |= FlagInitializing;
    band_->FireInitializeRow(this);
    flags_ &= static_cast<BYTE>(~FlagInitializing);
}

HvRow* HvRow::FindCommonAncestor(HvRow* other)
{
    for (HvRow* mine = parent_; mine; mine = mine->parent_) {
        for (HvRow* theirs = other ? other->parent_ : nullptr; theirs; theirs = theirs->parent_) {
            if (mine == theirs)
                return mine;
        }
    }
    return nullptr;
}

void HvRow::BeginSelectionSnapshot()
{
    local_ = static_cast<BYTE>((local_ & ~LocalSavedSelected) | LocalInSnapshot |
                               (IsSelected() ? LocalSavedSelected : 0));
}

void HvRow::EndSelectionSnapshot()
{
    local_ &= static_cast<BYTE>(~(LocalSavedSelected | LocalInSnapshot));
}

void HvRow::OnRowDataGone(bool deleted)
{
    // The caller's tie may hold the last reference.
    CUnknownObject::AddRef();
    if (deleted) {
        NotifySubscribers(kDeleteId, 0);
        if (IsSelected() && band_)
            band_->DeselectRow(this);
    } else if (data_) {
        data_->LetGo();
    }
    Deactivate();
    CUnknownObject::Release();
}

HvLayoutHost* HvRow::CellAppearanceHost() { return band_ ? band_->LayoutHost() : nullptr; }
HvAppearances* HvRow::CellAppearances() { return band_ ? band_->Appearances() : nullptr; }

// --- change notices ----------------------------------------------------------

bool HvRow::IsOwnAppearance(AppearanceRef& ref)
{
    HvAppearance* appearance = ref.GetAppearance();
    if (!appearance || ref.Key())
        return false;
    HvAppearances* appearances = band_ ? band_->Appearances() : nullptr;
    return !appearances || appearances->IndexOfAppearance(appearance) < 0;
}

void HvRow::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    ChangePublisher* from = notice->publisher;
    const std::intptr_t inner = reinterpret_cast<std::intptr_t>(notice);
    if (cells_ && from == static_cast<ChangePublisher*>(cells_)) {
        NotifySubscribers(kCellsId, inner);
        return;
    }
    HvAppearance* appearance = appearance_.GetAppearance();
    HvAppearance* cellAppearance = cellAppearance_.GetAppearance();
    const bool isRow = appearance && from == static_cast<ChangePublisher*>(appearance);
    const bool isCell = cellAppearance && from == static_cast<ChangePublisher*>(cellAppearance);
    if (isRow || isCell) {
        if (band_)
            band_->RefreshRow(this);
        NotifySubscribers(isRow ? kAppearanceId : kCellAppearanceId, inner);
        return;
    }
    HvAppearance* selector = rowSelectorAppearance_.GetAppearance();
    if (selector && from == static_cast<ChangePublisher*>(selector)) {
        NotifySubscribers(kRowSelectorAppearanceId, inner);
        return;
    }
    if (from != static_cast<ChangePublisher*>(this))
        return;
    if (flags_ & (FlagInitializing | FlagSelfRef))
        return;
    if (local_ & LocalSyncingHeight)
        return;
    switch (notice->what) {
    case kSelectedId:
    case kExpandedId:
    case kDeleteId:
        return;
    case kCellsId: {
        const ChangeNotice* nested = reinterpret_cast<const ChangeNotice*>(notice->argument);
        while (nested && nested->argument && nested->what == kCellsId)
            nested = reinterpret_cast<const ChangeNotice*>(nested->argument);
        if (nested && (nested->what == kSelectedId || nested->what == kDataChangedId))
            return;
        break;
    }
    case kAppearanceId:
        if (!IsOwnAppearance(appearance_))
            return;
        break;
    case kCellAppearanceId:
        if (!IsOwnAppearance(cellAppearance_))
            return;
        break;
    case kRowSelectorAppearanceId:
        if (!IsOwnAppearance(rowSelectorAppearance_))
            return;
        break;
    default:
        break;
    }
    EnsureReferenced();
}

bool HvRow::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    struct Slot {
        AppearanceRef* ref;
        DISPID id;
    };
    const Slot slots[] = {{&appearance_, kAppearanceId},
                          {&cellAppearance_, kCellAppearanceId},
                          {&rowSelectorAppearance_, kRowSelectorAppearanceId}};
    for (const Slot& slot : slots) {
        HvAppearance* appearance = slot.ref->GetAppearance();
        if (!appearance || static_cast<ChangePublisher*>(appearance) != from)
            continue;
        const bool changed = slot.ref->SetAppearance(dynamic_cast<HvAppearance*>(to));
        NotifySubscribers(slot.id, 0);
        if (!IsInitializing())
            EnsureReferenced();
        return !changed;
    }
    if (!IsInitializing())
        EnsureReferenced();
    return true;
}

// --- selection, cells and deletion ------------------------------------------

void HvRow::SetSelected(bool selected)
{
    if (selected == IsSelected())
        return;
    if (selected)
        flags_ |= FlagSelected;
    else
        flags_ &= static_cast<BYTE>(~FlagSelected);
    NotifySubscribers(kSelectedId, 0);
}

SelectionBandSeam* HvRow::OwnerBand()
{
    return band_ && IsActive() ? band_->SelectionBand() : nullptr;
}

SelectionLayoutSeam* HvRow::Layout()
{
    return band_ ? band_->SelectionLayout() : nullptr;
}

SelectionControlSeam* HvRow::GridControl()
{
    return band_ ? band_->SelectionControl() : nullptr;
}

HvSelectableItem* HvRow::GetCell(HvSelectableItem* column)
{
    HvCells* cells = GetCells();
    GridColumnSeam* seam = column ? dynamic_cast<GridColumnSeam*>(column) : nullptr;
    HvKeyedItem* cell = nullptr;
    if (!cells || !seam || FAILED(cells->GetCellByColumnId(seam, &cell)) || !cell)
        return nullptr;
    return HvSelectableItem::FromKeyed(cell);
}

GridBandSeam* HvRow::Band()
{
    return band_ ? band_->GridBand() : nullptr;
}

HRESULT HvRow::CreateCell(GridColumnSeam* column, HvCells* cells, HvKeyedItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return band_ ? band_->MakeCell(this, column, cells, out) : E_FAIL;
}

GridColumnSeam* HvRow::ColumnOfCell(HvKeyedItem* cell)
{
    return band_ ? band_->ColumnOfCell(cell) : nullptr;
}

HRESULT HvRow::GetRowValue(LONG columnIndex, VARIANT* out)
{
    return data_ ? data_->GetFieldValue(columnIndex, out) : E_FAIL;
}

HRESULT HvRow::GetRowOriginalValue(LONG columnIndex, VARIANT* out)
{
    return data_ ? data_->GetOriginalFieldValue(columnIndex, out) : E_FAIL;
}

HRESULT HvRow::SetRowValue(LONG columnIndex, VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return data_ ? data_->SetFieldValue(columnIndex, *value) : E_FAIL;
}

// The provider's delete notice ends this row object and unties its data:
// the record's commit or undo goes through a count held for it.
HRESULT HvRow::DeleteData()
{
    if (!data_)
        return E_FAIL;
    deletedData_.Assign(data_);
    const HRESULT hr = deletedData_.Get()->Delete();
    if (FAILED(hr))
        deletedData_.Reset();
    return hr;
}

HRESULT HvRow::CommitDeletion()
{
    RowDataSeam* data = deletedData_.Get() ? deletedData_.Get() : data_;
    const HRESULT hr = data ? data->Update() : E_FAIL;
    if (SUCCEEDED(hr))
        deletedData_.Reset();
    return hr;
}

void HvRow::UndoDeletion()
{
    if (RowDataSeam* data = deletedData_.Get() ? deletedData_.Get() : data_)
        data->Undo();
    deletedData_.Reset();
}

void HvRow::KeepDeletionPending()
{
    deletedData_.Reset();
    SetDataChanged(VARIANT_TRUE);
}

void HvRow::ReportDataError(HRESULT result)
{
    if (band_)
        band_->ReportRowError(this, result);
}

LONG HvRow::ResolveAllowDelete()
{
    return band_ ? band_->ResolveAllowDelete() : 2;
}

// --- activation -----------------------------------------------------------------

bool HvRow::BandKeepsPositionMark()
{
    return band_ && band_->KeepsPositionMark();
}

HRESULT HvRow::FlushBandPosition()
{
    return band_ ? band_->FlushPosition() : S_OK;
}

HRESULT HvRow::SyncBandPosition()
{
    return band_ ? band_->SyncPosition(this) : E_FAIL;
}

bool HvRow::IsReachable()
{
    for (HvRow* parent = parent_; parent; parent = parent->parent_)
        if (!parent->IsExpanded() || !parent->band_ || !parent->band_->IsExpandable())
            return false;
    return true;
}
