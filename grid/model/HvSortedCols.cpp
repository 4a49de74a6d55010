// HvSortedCols: sort changes through proposals, their events and adoption.
#include "HvSortedCols.h"

#include "BandsLayoutSeam.h"
#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "HvColumns.h"
#include "DualString.h"
#include "HvKeyedItem.h"
#include "HvSelectableItem.h"
#include "LayoutCategories.h"
#include "SelectionControlSeam.h"
#include "SelectionErrors.h"
#include "SelectionLayoutSeam.h"
#include "SortColumnSeam.h"

#include <new>
#include <unordered_set>
#include <vector>

namespace {

// Sets a flag for the scope of an event, however it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

// Descending only for a value of exactly VARIANT_TRUE (-1); anything else,
// or no value, is ascending.
LONG IndicatorFor(VARIANT* descending)
{
    if (!descending)
        return SortIndicatorAscending;
    VARIANT value;
    VariantInit(&value);
    bool isTrue = false;
    if (SUCCEEDED(VariantCopyInd(&value, descending))) {
        if (V_VT(&value) == VT_BOOL)
            isTrue = V_BOOL(&value) == VARIANT_TRUE;
        else if (V_VT(&value) != VT_EMPTY && V_VT(&value) != VT_ERROR && V_VT(&value) != VT_NULL &&
                 SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
            isTrue = V_I4(&value) == -1;
    }
    VariantClear(&value);
    return isTrue ? SortIndicatorDescending : SortIndicatorAscending;
}

SortColumnSeam* SortOf(HvKeyedItem* item)
{
    return item ? SortColumnSeam::FromKeyed(item) : nullptr;
}

} // namespace

HvSortedCols* HvSortedCols::Create(GridBandSeam* band, SelectionLayoutSeam* layout, bool proposal)
{
    return new (std::nothrow) HvSortedCols(band, layout, proposal);
}

HvSortedCols::HvSortedCols(GridBandSeam* band, SelectionLayoutSeam* layout, bool proposal)
    : HvCollectionObject(ObjectType::HvSortedCols, 0, 0, false), band_(band), layout_(layout), proposal_(proposal)
{
}

HRESULT HvSortedCols::SortEventError()
{
    return RaiseError(SelectionError::NotInEvent, SelectionError::NotInEventString);
}

STDMETHODIMP HvSortedCols::get_Item(long index, IHvColumn** out)
{
    return Guard([&]() -> HRESULT {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        HvKeyedItem* item = index < 0 || index >= ItemCount() ? nullptr : ItemAtPosition(index);
        if (!item)
            return RaiseError(SelectionError::BadIndex, SelectionError::BadIndexString);
        return item->GetItemObject()->ForwardQueryInterface(IID_IHvColumn, reinterpret_cast<void**>(out));
    });
}

bool HvSortedCols::BelongsToBand(HvKeyedItem* column, const std::unordered_set<const HvKeyedItem*>* bandColumns)
{
    HvSelectableItem* selectable = HvSelectableItem::FromKeyed(column);
    if (!selectable || !CAutomationObject::IsActive(column->GetItemObject()) || selectable->Layout() != layout_)
        return false;
    // A column of another band of the same layout cannot order this band.
    HvColumns* columns = band_ ? band_->Columns() : nullptr;
    GridColumnSeam* gridColumn = dynamic_cast<GridColumnSeam*>(column);
    if (!columns)
        return true;
    if (!gridColumn)
        return false;
    return bandColumns ? bandColumns->count(gridColumn->ColumnItem()) > 0 : columns->ColumnPosition(gridColumn) >= 0;
}

STDMETHODIMP HvSortedCols::Add(IHvColumn* column, VARIANT* descending)
{
    return Guard([&]() -> HRESULT {
        if (!column)
            return E_INVALIDARG;
        if (!IsActive())
            return NotActiveError();
        IHvColumn* queried = nullptr;
        HRESULT hr = column->QueryInterface(IID_IHvColumn, reinterpret_cast<void**>(&queried));
        if (FAILED(hr) || !queried)
            return RaiseError(SelectionError::BadObject, SelectionError::BadObjectString);
        const LONG indicator = IndicatorFor(descending);
        HvKeyedItem* keyed = HvKeyedItem::FromObject(queried);
        if (proposal_) {
            SortColumnSeam* sort = SortOf(keyed);
            if (!sort) {
                queried->Release();
                return RaiseError(SelectionError::BadObject, SelectionError::BadObjectString);
            }
            sort->SetPendingSortIndicator(indicator);
            // The query's reference becomes the list's.
            hr = InsertListCollectionItem(-1, keyed, false, 0);
            if (FAILED(hr))
                queried->Release();
            return hr;
        }
        queried->Release(); // the caller's reference keeps the column
        GridColumnSeam* gridColumn = dynamic_cast<GridColumnSeam*>(keyed);
        if (!gridColumn || !BelongsToBand(keyed))
            return RaiseError(SelectionError::BadObject, SelectionError::BadObjectString);
        return ApplyColumnSort(gridColumn, indicator, false, true);
    });
}

HRESULT HvSortedCols::RemoveColumn(HvKeyedItem* column)
{
    if (proposal_)
        return RemoveListCollectionItem(column);
    GridColumnSeam* gridColumn = dynamic_cast<GridColumnSeam*>(column);
    if (!gridColumn)
        return RaiseError(SelectionError::BadObject, SelectionError::BadObjectString);
    return ApplyColumnSort(gridColumn, SortIndicatorNone, false, true);
}

STDMETHODIMP HvSortedCols::Remove(VARIANT index)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        IDispatch* found = nullptr;
        HvKeyedItem* item = nullptr;
        HRESULT hr = FindItem(&index, &found, &item);
        if (FAILED(hr))
            return hr;
        hr = item ? RemoveColumn(item) : RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
        if (found)
            found->Release();
        return hr;
    });
}

STDMETHODIMP HvSortedCols::Clear()
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (sortEvent_)
            return SortEventError();
        if (ItemCount() < 1)
            return S_OK;
        if (proposal_)
            return ClearListCollection(true, 0);
        SelectionControlSeam* control = layout_ ? layout_->GridControl() : nullptr;
        ControlHold hold(control);
        BandHold holdBand(band_);
        HvSortedCols* proposal = MakeProposal(false);
        if (!proposal)
            return E_OUTOFMEMORY;
        // Without a grid there is no event to offer the change to: the list
        // is emptied all the same, so that a layout copy or reset does not
        // keep sort columns it was told to drop.
        if (!control || !OfferProposal(proposal, true))
            AdoptProposal(proposal, control != nullptr);
        proposal->Release();
        return S_OK;
    });
}

HvSortedCols* HvSortedCols::MakeProposal(bool withColumns)
{
    HvSortedCols* proposal = Create(band_, layout_, true);
    if (!proposal || !withColumns)
        return proposal;
    for (auto node = First(); node; node = NextOf(node)) {
        SortColumnSeam* sort = SortOf(node->item);
        if (sort)
            sort->SetPendingSortIndicator(sort->SortIndicator());
        if (FAILED(proposal->InsertListCollectionItem(-1, node->item, true, 0))) {
            proposal->Release();
            return nullptr;
        }
    }
    return proposal;
}

bool HvSortedCols::OfferProposal(HvSortedCols* proposal, bool fireEvents)
{
    FlagScope inEvent(sortEvent_);
    SelectionControlSeam* control = layout_ ? layout_->GridControl() : nullptr;
    return fireEvents && control && control->FireBeforeSortChange(band_, proposal);
}

void HvSortedCols::AdoptProposal(HvSortedCols* proposal, bool fireEvents)
{
    Resort(*proposal);
    SelectionControlSeam* control = layout_ ? layout_->GridControl() : nullptr;
    if (fireEvents && control)
        control->FireAfterSortChange(band_);
}

HRESULT HvSortedCols::ApplyColumnSort(GridColumnSeam* column, LONG indicator, bool single, bool fireEvents)
{
    if (sortEvent_)
        return SortEventError();
    HvKeyedItem* columnItem = column ? column->ColumnItem() : nullptr;
    SortColumnSeam* sort = SortOf(columnItem);
    if (!sort)
        return E_INVALIDARG;
    if (sort->SortIndicator() == SortIndicatorDisabled)
        return S_OK;
    SelectionControlSeam* control = layout_ ? layout_->GridControl() : nullptr;
    ControlHold hold(control);
    // The band and this list must outlive the event's handlers.
    BandHold holdBand(band_);
    // A layout that no grid shows takes the change without events.
    const bool fire = control && fireEvents && !layout_->TestGridState(SelectionEvent::InitializeLayout);
    // With nobody to hand a proposal to, the list changes where it stands:
    // sorting a wide band column by column does not copy the list each time.
    if (!fire || !control->HearsSortChange()) {
        ApplyInPlace(columnItem, indicator, single);
        if (fire)
            control->FireAfterSortChange(band_);
        return S_OK;
    }
    HvSortedCols* proposal = MakeProposal(true);
    if (!proposal)
        return S_OK;

    HvKeyedItem* copy = sort->CreateLevelCopy(-1);
    sort->SetPendingSortIndicator(indicator);
    if (single)
        proposal->ClearListCollection(true, 0);
    else
        proposal->RemoveListCollectionItem(columnItem);
    if (indicator != SortIndicatorNone && indicator != SortIndicatorDisabled) {
        SortColumnSeam* copySort = SortOf(copy);
        if (copySort) {
            copySort->SetSortIndicator(indicator);
            copySort->SetPendingSortIndicator(indicator);
        }
        // Without a copy the column itself is proposed, its indicator
        // pending, so that the change is not lost.
        HvKeyedItem* proposed = copySort ? copy : columnItem;
        if (proposal->ListCollectionIndexOf(proposed) < 0)
            proposal->InsertListCollectionItem(-1, proposed, true, 0);
    }

    if (!OfferProposal(proposal, fire))
        AdoptProposal(proposal, fire);
    if (copy)
        copy->ReleaseItem();
    proposal->Release();
    return S_OK;
}

HvSortedCols::BandHold::BandHold(GridBandSeam* band) : object_(dynamic_cast<CAutomationObject*>(band))
{
    if (object_)
        object_->AddRef();
}

HvSortedCols::BandHold::~BandHold()
{
    if (object_)
        object_->Release();
}

void HvSortedCols::Resort(HvSortedCols& proposal)
{
    const std::vector<HvKeyedItem*> old = [this] {
        std::vector<HvKeyedItem*> items;
        for (auto node = First(); node; node = NextOf(node))
            items.push_back(node->item);
        return items;
    }();
    ErasePointerListRange(HvListCollection::Head()->next, HvListCollection::Head());
    for (HvKeyedItem* item : old) {
        if (SortColumnSeam* sort = SortOf(item))
            sort->SetSortIndicator(SortIndicatorNone);
        item->ReleaseItem();
    }

    std::vector<HvKeyedItem*> proposed;
    for (auto node = proposal.First(); node; node = proposal.NextOf(node))
        proposed.push_back(node->item);
    // The proposal's references move to this list or are let go below.
    proposal.ErasePointerListRange(proposal.HvListCollection::Head()->next, proposal.HvListCollection::Head());
    // Membership of this list and of the band, each found once: a wide band
    // sorted by many columns is not walked once per column.
    std::unordered_set<HvKeyedItem*> taken;
    std::unordered_set<const HvKeyedItem*> bandColumns;
    if (HvColumns* columns = band_ ? band_->Columns() : nullptr)
        bandColumns.insert(columns->Items().begin(), columns->Items().end());
    const bool bandKnown = band_ && band_->Columns();
    for (HvKeyedItem* item : proposed) {
        SortColumnSeam* sort = SortOf(item);
        HvKeyedItem* source = sort ? sort->LevelCopySource() : nullptr;
        HvKeyedItem* target = source ? source : item;
        if (source)
            source->AddRefItem();
        // A column proposed twice keeps its first place; a column of another
        // band (a handler may add one to the proposal) has no place here.
        if (!BelongsToBand(target, bandKnown ? &bandColumns : nullptr) || taken.count(target) ||
            FAILED(InsertListCollectionItem(-1, target, false, 0))) {
            target->ReleaseItem();
        } else {
            taken.insert(target);
            if (SortColumnSeam* targetSort = SortOf(target))
                targetSort->SetSortIndicator(sort ? sort->PendingSortIndicator() : SortIndicatorAscending);
        }
        if (source)
            item->ReleaseItem();
    }

    RebindBand();
}

void HvSortedCols::ApplyInPlace(HvKeyedItem* column, LONG indicator, bool single)
{
    SortColumnSeam* sort = SortOf(column);
    column->AddRefItem();   // the list's reference may be the last one
    bool wasListed = false;
    if (single) {
        const std::vector<HvKeyedItem*> old = ItemsInOrder();
        ErasePointerListRange(HvListCollection::Head()->next, HvListCollection::Head());
        for (HvKeyedItem* item : old) {
            wasListed = wasListed || item == column;
            if (SortColumnSeam* itemSort = SortOf(item))
                itemSort->SetSortIndicator(SortIndicatorNone);
            item->ReleaseItem();
        }
    } else {
        auto* head = HvListCollection::Head();
        for (auto* node = head->next; node != head; node = node->next) {
            if (node->item != column)
                continue;
            ErasePointerListRange(node, node->next);
            column->ReleaseItem();
            wasListed = true;
            break;
        }
    }
    const bool listed = indicator != SortIndicatorNone && indicator != SortIndicatorDisabled &&
                        BelongsToBand(column) && SUCCEEDED(InsertListCollectionItem(-1, column, true, 0));
    if (listed)
        sort->SetSortIndicator(indicator);
    else if (wasListed)
        sort->SetSortIndicator(SortIndicatorNone);
    column->ReleaseItem();
    RebindBand();
}

void HvSortedCols::RebindBand()
{
    if (band_) {
        band_->UpdateBinding();
        if (BandsLayoutSeam* layout = band_->Layout())
            layout->MarkRowScrollRegionsDirty();
    }
}

HRESULT HvSortedCols::CopyFrom(HvSortedCols& source, LONG categories)
{
    if (!HoldsAllOf(categories, SortedColsCategory))
        return S_OK;
    Clear();
    HvColumns* columns = band_ ? band_->Columns() : nullptr;
    if (source.ItemCount() < 1 || !columns)
        return S_OK;
    std::vector<HvKeyedItem*> sourceColumns;
    for (auto node = source.First(); node; node = source.NextOf(node))
        sourceColumns.push_back(node->item);
    for (HvKeyedItem* item : sourceColumns) {
        GridColumnSeam* sourceColumn = dynamic_cast<GridColumnSeam*>(item);
        SortColumnSeam* sourceSort = SortOf(item);
        if (!sourceColumn || !sourceSort)
            continue;
        // Columns without a key match nothing: empty keys are all equal.
        const CDualString* key = item->GetKey();
        if (!key || key->IsEmpty())
            continue;
        for (LONG i = 0; i < columns->ItemCount(); ++i) {
            GridColumnSeam* column = columns->ColumnAt(i);
            if (column && column->IsSameKey(sourceColumn))
                ApplyColumnSort(column, sourceSort->SortIndicator(), false, false);
        }
    }
    return S_OK;
}

bool HvSortedCols::HasDataForCategories(LONG categories) const
{
    return HoldsAllOf(categories, SortedColsCategory) && ItemCount() > 0;
}

HRESULT HvSortedCols::Save(IStream* stream, LONG)
{
    return SaveColumnList(stream, band_);
}

HRESULT STDMETHODCALLTYPE HvSortedCols::LoadColumnList(IStream* stream, LONG)
{
    try {
        return ReadColumnList(stream, band_, nullptr);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
