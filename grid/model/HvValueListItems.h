// HvValueListItems: the items of one value list. Items are kept in the
// list's sort order, which is restored lazily: after an item is added or
// the order's basis changes, the next ordered read sorts them once.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class CDualString;
class HvValueList;
class HvValueListItem;
class ValueListLayoutSeam;

class HvValueListItems final : public HvCollectionObject<IHvValueListItems, HvVectorCollection> {
public:
    // Items' notices go on under the value list's own notice.
    static constexpr DISPID OwnerPropertyId = 0;

    // A new empty collection with one reference; layout and list are not
    // owned (null for a scratch collection).
    static HRESULT Create(ValueListLayoutSeam* layout, HvValueList* list, HvValueListItems** out);

    // IHvValueListItems
    STDMETHODIMP get__NewEnum(IUnknown** out) override;
    STDMETHODIMP get_Item(long index, IHvValueListItem** out) override;
    STDMETHODIMP Add(VARIANT* dataValue, VARIANT displayText, VARIANT index, IHvValueListItem** out) override;

    // Sorts the items when the list asks for an order they are not in yet.
    void EnsureSorted();
    bool IsSorted() const { return sorted_; }
    // What the order rests on changed: the next ordered read sorts again.
    void MarkUnsorted() { sorted_ = false; }

    // Ordered reads: sorted first. GetItemAt gives null out of range (no
    // reference added); IndexOfItem -1 when the item is not here.
    HvValueListItem* GetItemAt(LONG index);
    LONG IndexOfItem(const HvValueListItem* item);

    // Look-ups in storage order; each answers S_OK with a null item when
    // nothing matches.
    HRESULT FindItemByValue(VARIANT* value, IHvValueListItem** out);
    HRESULT FindItemWithPicture(IHvValueListItem** out);
    // From position *start (0 when null; a negative start counts as 0; one
    // not below the count fails with "Specified index is invalid"): the
    // first item whose display text equals text ignoring case, or with
    // prefix begins with it.
    HRESULT FindItemByText(BSTR text, const LONG* start, bool prefix, IHvValueListItem** out);
    // The first item whose display text or data value as text equals text.
    HRESULT FindItemByDataValueOrText(BSTR text, IHvValueListItem** out);

    // Layout copy: this collection becomes a copy of source's items.
    HRESULT CopyFrom(HvValueListItems& source, LONG categories);
    bool HasDataForCategories(LONG categories) const;

    // The value list let go of the collection: it and its items forget it.
    void DetachFromList();
    HvValueList* List() const { return list_; }

    // HvCollectionImpl
    bool SupportsKeys() const override { return false; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override;
    HRESULT Load(IStream* stream, LONG arg) override;
    HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach) override;
    void OnItemAdded(HvKeyedItem* item, LONG index, LONG arg) override;
    void OnItemRemoved(HvKeyedItem* item, bool force, LONG silent, bool fromClear) override;
    void OnCleared(bool force, LONG silent) override;

    // ChangeSubscriber: a change of an item's text or value unsorts.
    void OnChange(const ChangeNotice* notice) override;

protected:
    void ReleaseReferences() override;

private:
    HvValueListItems(ValueListLayoutSeam* layout, HvValueList* list);
    ~HvValueListItems() override;

    HRESULT HandOut(HvValueListItem* item, IHvValueListItem** out);
    HvValueListItem* ItemAt(LONG position) const;

    ValueListLayoutSeam* layout_;  // not owned
    HvValueList* list_;            // not owned; null once detached
    bool sorted_ = false;
};
