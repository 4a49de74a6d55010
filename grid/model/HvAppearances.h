// HvAppearances: the layout's collection of named appearances. Members hear
// nothing of the collection; the collection hears each member's changes and
// re-publishes them as a change of the layout's Appearances property.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class HvAppearance;
class HvLayoutHost;

class HvAppearances final : public HvCollectionObject<IHvAppearances, HvVectorCollection> {
public:
    static constexpr DISPID OwnerPropertyId = 1200;

    // A new empty collection with one reference; owner is not owned.
    static HRESULT Create(HvLayoutHost* owner, HvAppearances** out);

    // IHvAppearances
    STDMETHODIMP get_Item(VARIANT index, IHvAppearance** out) override;
    STDMETHODIMP Add(VARIANT key, IHvAppearance** out) override;
    STDMETHODIMP InternalAdd(VARIANT index) override;

    // Look-ups for appearance references (no reference added).
    HvAppearance* AppearanceAt(LONG index) const;
    HvAppearance* FindAppearance(const CDualString& key) const;
    LONG IndexOfAppearance(const HvAppearance* appearance) const;

    // Takes the source's appearances: an appearance with the key of one of
    // them is replaced (its users move to the copy), others are added.
    HRESULT CopyFrom(HvAppearances& source);
    HvLayoutHost* Owner() const { return owner_; }

    // HvCollectionImpl
    bool SupportsKeys() const override { return true; }
    bool IndexesKeys() const override { return true; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override;
    HvCollectionImpl* CreateScratch() override;
    HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach) override;
    void OnItemRemoved(HvKeyedItem* item, bool force, LONG silent, bool fromClear) override;
    void OnItemAdded(HvKeyedItem* item, LONG index, LONG arg) override;
    void OnCleared(bool force, LONG silent) override;

protected:
    void ReleaseReferences() override;

private:
    explicit HvAppearances(HvLayoutHost* owner);
    ~HvAppearances() override = default;

    HvLayoutHost* owner_;
};
