// HvSelectionCollection: the common form of the grid's selected cells,
// columns and rows. The list is the grid's own record of the selection,
// filled and emptied by the selection object, the bands and the selection
// strategies through the internal operations; the automation Add, Remove
// and Clear do not change it themselves but hand the request to the grid's
// selection machinery, so that a client's change follows the same rules and
// events as a mouse or keyboard selection.
#pragma once

#include "HvCollectionItem.h"
#include "HvCollectionObject.h"
#include "HvKeyedItem.h"
#include "HvSelectableItem.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"
#include "SelectionErrors.h"
#include "SelectionLayoutSeam.h"

#include <new>
#include <vector>

template <class TInterface, class TStorage>
class HvSelectionCollection : public HvCollectionObject<TInterface, TStorage> {
    using Base = HvCollectionObject<TInterface, TStorage>;

public:
    // The kind that the grid's ClearSelection takes.
    enum Kind : LONG { RowKind = 0, CellKind = 1, ColumnKind = 2 };

    // IHvCollectionBaseWithClear
    STDMETHODIMP Remove(VARIANT index) override
    {
        return Base::Guard([&] { return RemoveSelected(&index); });
    }
    STDMETHODIMP Clear() override
    {
        return Base::Guard([&] { return ClearSelected(); });
    }

    // Flags written by the maker and by the selection object that takes the
    // collection over.
    bool IsReadOnly() const override { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool IsSnapshot() const { return snapshot_; }
    void SetSnapshot(bool snapshot) { snapshot_ = snapshot; }
    SelectionLayoutSeam* Layout() const { return layout_; }
    // The selectable items in list order (no references added).
    std::vector<HvSelectableItem*> SelectedItems() const
    {
        std::vector<HvSelectableItem*> items;
        items.reserve(static_cast<size_t>(this->ItemCount()));
        for (auto node = this->First(); node; node = this->NextOf(node))
            if (HvSelectableItem* item = HvSelectableItem::FromKeyed(node->item))
                items.push_back(item);
        return items;
    }

    // Internal: empties the list with force, whatever the read-only flag.
    HRESULT ClearChecked()
    {
        if (!this->IsActive())
            return this->NotActiveError();
        return this->ClearListCollection(true, 0);
    }
    // Internal: the list becomes source's items, in order; this collection
    // stays the object that clients hold. With no source the list empties.
    HRESULT TakeItemsFrom(HvSelectionCollection* source)
    {
        if (!this->IsActive())
            return this->NotActiveError();
        std::vector<HvKeyedItem*> incoming;
        if (source && source != this)
            incoming = source->Items();
        else if (source)
            return S_OK;
        // Held across the clear: an item may be in both lists.
        for (HvKeyedItem* item : incoming)
            if (item)
                item->AddRefItem();
        HRESULT hr = this->ClearListCollection(true, 0);
        for (HvKeyedItem* item : incoming) {
            if (!item)
                continue;
            if (SUCCEEDED(hr))
                hr = this->InsertListCollectionItem(-1, item, true, 0);
            item->ReleaseItem();
        }
        return hr;
    }
    // Internal: marks every item not selected; the list keeps them.
    HRESULT ResetItemStates()
    {
        for (HvKeyedItem* keyed : Items())
            if (HvSelectableItem* item = HvSelectableItem::FromKeyed(keyed))
                item->SetSelected(false);
        return S_OK;
    }

    // HvCollectionImpl: count, format version 0, each item's own record.
    HRESULT Save(IStream* stream, LONG arg) override
    {
        if (!stream)
            return E_INVALIDARG;
        const LONG header[2] = {this->ItemCount(), 0};
        ULONG written = 0;
        HRESULT hr = stream->Write(header, sizeof header, &written);
        if (SUCCEEDED(hr) && written != sizeof header)
            hr = STG_E_MEDIUMFULL;
        for (HvKeyedItem* item : Items()) {
            if (FAILED(hr))
                break;
            HvCollectionItem* persist = nullptr;
            hr = item ? item->GetItemObject()->ForwardQueryInterface(IID_HvCollectionItem,
                                                                      reinterpret_cast<void**>(&persist))
                      : E_UNEXPECTED;
            if (SUCCEEDED(hr)) {
                hr = persist->Save(stream, arg);
                persist->Release();
            }
        }
        return FAILED(hr) ? hr : this->SaveExtra(stream, arg);
    }

    // Only the selection object reaches the storage, holding the object.
    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        return CDualObject<TInterface>::InternalQueryInterface(iid, out);
    }

protected:
    HvSelectionCollection(int objectType, SelectionLayoutSeam* layout, bool readOnly)
        : Base(objectType, 0, 0, false), layout_(layout), readOnly_(readOnly)
    {
    }
    ~HvSelectionCollection() override = default;

    virtual Kind SelectionKind() const = 0;
    virtual const IID& ItemInterface() const = 0;

    // Appends an item when it is alive and absent (check), or at once.
    HRESULT SelectItem(HvSelectableItem* item, bool check)
    {
        HvKeyedItem* keyed = item ? item->KeyedItem() : nullptr;
        if (!keyed)
            return E_INVALIDARG;
        if (check) {
            if (!this->IsActive() || !CAutomationObject::IsActive(keyed->GetItemObject()))
                return this->NotActiveError();
            if (this->CollectionIndexOf(keyed) >= 0)
                return S_OK;
        }
        return this->InsertListCollectionItem(-1, keyed, true, 0);
    }

    // Removes an item; one that is not here is no error.
    HRESULT DeselectItem(HvSelectableItem* item)
    {
        if (!this->IsActive())
            return this->NotActiveError();
        HvKeyedItem* keyed = item ? item->KeyedItem() : nullptr;
        return keyed ? this->RemoveCollectionItem(keyed) : S_OK;
    }

    // The snapshot's items: every item of source in order, each referenced.
    HRESULT CopyItemsFrom(HvSelectionCollection& source)
    {
        for (HvKeyedItem* item : source.Items()) {
            if (!item)
                continue;
            const HRESULT hr = this->InsertListCollectionItem(-1, item, true, 0);
            if (FAILED(hr))
                return hr;
        }
        return S_OK;
    }

    // A read-only copy of source with the snapshot flag, or null.
    template <class TDerived>
    static TDerived* MakeSnapshot(TDerived& source)
    {
        TDerived* copy = TDerived::Create(source.Layout(), true);
        if (!copy)
            return nullptr;
        copy->SetSnapshot(true);
        HRESULT hr;
        try {
            hr = copy->CopyItemsFrom(source);
        } catch (const std::bad_alloc&) {
            hr = E_OUTOFMEMORY;
        }
        if (FAILED(hr)) {
            copy->Release();
            return nullptr;
        }
        return copy;
    }

    // Automation Add: the object, checked, goes to the grid's machinery.
    HRESULT AddObject(IUnknown* object)
    {
        if (!object)
            return E_INVALIDARG;
        SelectionControlSeam* control = nullptr;
        HRESULT hr = CheckChange(&control);
        if (FAILED(hr))
            return hr;
        IUnknown* queried = nullptr;
        hr = object->QueryInterface(ItemInterface(), reinterpret_cast<void**>(&queried));
        if (FAILED(hr) || !queried)
            return BadObjectError();
        queried->Release(); // the caller's reference keeps the object
        HvKeyedItem* keyed = HvKeyedItem::FromObject(object);
        HvSelectableItem* item = HvSelectableItem::FromKeyed(keyed);
        if (!item || !CAutomationObject::IsActive(keyed->GetItemObject()) || item->Layout() != layout_)
            return BadObjectError();
        return RequestSelection(control, item, true);
    }

    HRESULT RemoveSelected(VARIANT* index)
    {
        if (!index)
            return E_INVALIDARG;
        SelectionControlSeam* control = nullptr;
        HRESULT hr = CheckChange(&control);
        if (FAILED(hr))
            return hr;
        IDispatch* found = nullptr;
        HvKeyedItem* keyed = nullptr;
        hr = this->FindItem(index, &found, &keyed);
        if (FAILED(hr))
            return hr;
        HvSelectableItem* item = HvSelectableItem::FromKeyed(keyed);
        hr = item ? RequestSelection(control, item, false)
                  : this->RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
        if (found)
            found->Release();
        return hr;
    }

    HRESULT ClearSelected()
    {
        if (!this->IsActive())
            return this->NotActiveError();
        if (readOnly_)
            return this->RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
        if (this->ItemCount() < 1)
            return S_OK;
        SelectionControlSeam* control = layout_ ? layout_->GridControl() : nullptr;
        if (!control)
            return this->RaiseError(SelectionError::NoGrid, SelectionError::NoGridString);
        if (EventsAllowed(control))
            return control->ClearSelection(SelectionKind(), true);
        return ClearQuietly();
    }

    // The items in list order (no references added).
    std::vector<HvKeyedItem*> Items() const
    {
        std::vector<HvKeyedItem*> items;
        items.reserve(static_cast<size_t>(this->ItemCount()));
        for (auto node = this->First(); node; node = this->NextOf(node))
            items.push_back(node->item);
        return items;
    }

    // The item at a 32-bit position, handed out under the item interface.
    template <class TItem>
    HRESULT ItemByPosition(long index, TItem** out)
    {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        HvKeyedItem* item = index < 0 || index >= this->ItemCount() ? nullptr : this->ItemAtPosition(index);
        if (!item)
            return this->RaiseError(SelectionError::BadIndex, SelectionError::BadIndexString);
        return item->GetItemObject()->ForwardQueryInterface(ItemInterface(), reinterpret_cast<void**>(out));
    }

private:
    HRESULT BadObjectError() { return this->RaiseError(SelectionError::BadObject, SelectionError::BadObjectString); }

    HRESULT CheckChange(SelectionControlSeam** control)
    {
        if (!this->IsActive())
            return this->NotActiveError();
        if (readOnly_)
            return this->RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
        *control = layout_ ? layout_->GridControl() : nullptr;
        if (!*control)
            return this->RaiseError(SelectionError::NoGrid, SelectionError::NoGridString);
        return S_OK;
    }

    static bool EventsAllowed(SelectionControlSeam* control)
    {
        return control->IsEventAllowed(SelectionEvent::BeforeSelectChange) ||
               control->IsEventAllowed(SelectionEvent::AfterSelectChange);
    }

    HRESULT RequestSelection(SelectionControlSeam* control, HvSelectableItem* item, bool select)
    {
        const bool fireEvents = EventsAllowed(control);
        if (SelectionKind() == CellKind)
            return control->SelectCellThroughHandler(item, select, fireEvents);
        SelectionBandSeam* band = item->OwnerBand();
        if (!band)
            return BadObjectError();
        return SelectionKind() == ColumnKind ? band->SelectColumn(item, select, fireEvents)
                                             : band->SelectRow(item, select, fireEvents);
    }

    // Without selection events: every item marked not selected and let go
    // (cells also let their rows go); the list is emptied first, so no
    // callback sees it half cleared.
    HRESULT ClearQuietly()
    {
        const std::vector<HvKeyedItem*> items = Items();
        this->ErasePointerListRange(TStorage::Head()->next, TStorage::Head());
        for (HvKeyedItem* item : items) {
            if (!item)
                continue;
            if (HvSelectableItem* selectable = HvSelectableItem::FromKeyed(item))
                selectable->SetSelected(false);
            this->OnItemRemoved(item, true, 0, true);
            item->ReleaseItem();
        }
        return S_OK;
    }

    SelectionLayoutSeam* layout_; // not owned
    bool readOnly_;
    bool snapshot_ = false;
};
