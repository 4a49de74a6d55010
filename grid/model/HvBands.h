// HvBands: the layout's bands, one per level of the data hierarchy. It
// tells the layout what a band's change means for the display, and drives
// the band-wide work of the layout: binding, expansion, header metrics and
// the copy and reset of the band tree.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class BandsLayoutSeam;
class GridBandSeam;

class HvBands final : public HvCollectionObject<IHvBands, HvVectorCollection> {
public:
    static constexpr DISPID OwnerPropertyId = 1187;

    // A new empty collection with one reference; layout is not owned.
    static HRESULT Create(BandsLayoutSeam* layout, HvBands** out);

    // IHvBands
    STDMETHODIMP get_Item(VARIANT index, IHvBand** out) override;

    GridBandSeam* BandAt(LONG position) const;
    void UpdateAllBands();
    // Stops at the first failure; else the last result (0 without bands).
    HRESULT ExpandCollapseAll(bool expand);
    void InvalidateAll();
    // The widest right edge among the bands shown, in pixels.
    LONG GetMaxBandExtent();
    HRESULT ResetForCategories(LONG categories);
    HRESULT CopyFrom(HvBands& source, LONG categories);

    // HvCollectionImpl
    bool SupportsKeys() const override { return true; }
    bool IndexesKeys() const override { return true; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override;
    HvCollectionImpl* CreateScratch() override;

    // ChangeSubscriber: what a band's change means for the display.
    void OnChange(const ChangeNotice* notice) override;

protected:
    void ReleaseReferences() override;

private:
    explicit HvBands(BandsLayoutSeam* layout);
    ~HvBands() override;

    HRESULT CopyBandTree(HvBands& source, GridBandSeam* from, GridBandSeam* parent, LONG categories);
    void CopyMatchingTree(HvBands& source, GridBandSeam* from, GridBandSeam* to, LONG categories);

    BandsLayoutSeam* layout_;  // not owned
};
