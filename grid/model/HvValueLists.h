// HvValueLists: the layout's collection of value lists, each named by a key.
// It hears each list's changes and passes them on to the layout.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class CDualString;
class HvValueList;
class ValueListLayoutSeam;

class HvValueLists final : public HvCollectionObject<IHvValueLists, HvVectorCollection> {
public:
    // Lists' notices go on under the collection's own notice.
    static constexpr DISPID OwnerPropertyId = 0;

    // A new empty collection with one reference; layout is not owned.
    static HRESULT Create(ValueListLayoutSeam* layout, HvValueLists** out);

    // IHvValueLists
    STDMETHODIMP get_Item(VARIANT index, IHvValueList** out) override;
    STDMETHODIMP Add(VARIANT key, IHvValueList** out) override;

    // Look-ups for columns (no reference added).
    HvValueList* ValueListAt(LONG index) const;
    HvValueList* FindValueList(const CDualString& key) const;
    LONG IndexOfValueList(const HvValueList* list) const;

    // Layout copy: with the value-list category this collection becomes a
    // copy of source's lists (the cleared notice goes first).
    HRESULT CopyFrom(HvValueLists& source, LONG categories);
    bool HasDataForCategories(LONG categories) const;

    // HvCollectionImpl
    bool SupportsKeys() const override { return true; }
    bool IndexesKeys() const override { return true; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override;
    HvCollectionImpl* CreateScratch() override;
    // Without the value-list category the stream is read and thrown away.
    HRESULT Load(IStream* stream, LONG arg) override;
    HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach) override;
    void OnItemAdded(HvKeyedItem* item, LONG index, LONG arg) override;
    void OnItemRemoved(HvKeyedItem* item, bool force, LONG silent, bool fromClear) override;
    void OnCleared(bool force, LONG silent) override;

protected:
    void ReleaseReferences() override;

private:
    explicit HvValueLists(ValueListLayoutSeam* layout);
    ~HvValueLists() override;

    ValueListLayoutSeam* layout_;  // not owned
};
