// HvColScrollRegions: the layout's column scroll regions, the side-by-side
// panes of the grid's data area, in screen order. The collection marks
// itself for recalculation whenever a region changes and recalculates every
// region, once, before the next use of region geometry.
#pragma once

#include "HvScrollRegionsBase.h"

class HvColScrollRegions final : public HvScrollRegionsBase<IHvColScrollRegions> {
public:
    static constexpr DISPID OwnerPropertyId = 0x4A8;
    static constexpr long CategoryColScrollRegions = 64;
    static constexpr DISPID BeforeColRegionSizeId = 1026;
    static constexpr DISPID BeforeColRegionSplitId = 1027;

    // A new collection holding one default region, with one reference;
    // layout is not owned.
    static HRESULT Create(ScrollRegionsLayoutSeam* layout, HvColScrollRegions** out);
    HvCollectionImpl* CreateScratch() override;

    // IHvColScrollRegions
    STDMETHODIMP get_Item(long index, IHvColScrollRegion** out) override;

    ColScrollRegionItem* RegionFromPosition(long x) const;
    // The region whose identity block equals block byte for byte.
    ColScrollRegionItem* FindRegionByBlock(const BYTE* block) const;
    // The first visible region reaching past the data area's right edge, else
    // the last visible region.
    ScrollRegionItem* GetRegionAtRightEdge() const { return GetRegionAtFarEdge(); }
    bool MarkRegionsDirty();
    void MarkAllScrollRegionsDirty(bool resetPositions);
    void RecalcIfDirty();

    bool RecalcPending() const { return recalcPending_; }
    bool Recalculating() const { return recalculating_; }
    ColScrollRegionItem* ColRegionAt(LONG position) const;

protected:
    ScrollRegionItem* NewRegion() override;
    short MaxRegions() const override;
    long CategoryBit() const override { return CategoryColScrollRegions; }
    int ScrollBarMetric() const override { return GetSystemMetrics(SM_CXVSCROLL); }
    double PixelsToUnits(long pixels) const override;
    long FarEdgeOf(const RECT& rect) const override { return rect.right; }
    DISPID SizeEventId() const override { return BeforeColRegionSizeId; }
    DISPID SplitEventId() const override { return BeforeColRegionSplitId; }
    bool FireBeforeRemoved(RegionControlSeam& control, IDispatch* region) override;
    bool FireBeforeSize(RegionControlSeam& control, IDispatch* region1, IDispatch* region2) override;
    void OnRegionsChanged() override { recalcPending_ = true; }

private:
    explicit HvColScrollRegions(ScrollRegionsLayoutSeam* layout);
    ~HvColScrollRegions() override = default;

    bool recalcPending_ = true;
    bool recalculating_ = false;
};
