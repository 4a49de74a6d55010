// HvOverrides: the layout's collection of named overrides. It hears each
// member's changes and re-publishes them as a change of the layout's
// Overrides property.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class HvOverride;
class OverrideLayoutSeam;

class HvOverrides final : public HvCollectionObject<IHvOverrides, HvVectorCollection> {
public:
    static constexpr DISPID OwnerPropertyId = 1188;
    static constexpr LONG OverrideCollectionCategory = 2;

    // A new empty collection with one reference; layout is not owned.
    static HRESULT Create(OverrideLayoutSeam* layout, HvOverrides** out);

    // IHvOverrides
    STDMETHODIMP get_Item(VARIANT index, IHvOverride** out) override;
    STDMETHODIMP Add(VARIANT key, IHvOverride** out) override;

    // Look-ups for override references (no reference added).
    HvOverride* OverrideAt(LONG index) const;
    HvOverride* FindOverride(const CDualString& key) const;
    LONG IndexOfOverride(const HvOverride* item) const;

    // Takes the source's overrides: one with the key of a source override is
    // replaced by a copy of it, the others are added.
    HRESULT CopyFrom(HvOverrides& source);
    bool HasDataForCategories(LONG categories) const;

    // HvCollectionImpl
    bool SupportsKeys() const override { return true; }
    bool IndexesKeys() const override { return true; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override;
    // A collection that is no longer active takes its members with it.
    void ReleaseReferences() override;
    HvCollectionImpl* CreateScratch() override;

private:
    explicit HvOverrides(OverrideLayoutSeam* layout);
    ~HvOverrides() override = default;

    OverrideLayoutSeam* layout_;
};
