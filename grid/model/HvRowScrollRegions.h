// HvRowScrollRegions: the layout's row scroll regions, the stacked panes of
// the grid's data area, in screen order.
#pragma once

#include "HvScrollRegionsBase.h"

class HvRowScrollRegions final : public HvScrollRegionsBase<IHvRowScrollRegions> {
public:
    static constexpr DISPID OwnerPropertyId = 0x83B;
    static constexpr long CategoryRowScrollRegions = 128;
    static constexpr DISPID BeforeRowRegionSizeId = 1040;
    static constexpr DISPID BeforeRowRegionSplitId = 1041;

    // A new collection holding one default region, with one reference;
    // layout is not owned.
    static HRESULT Create(ScrollRegionsLayoutSeam* layout, HvRowScrollRegions** out);
    HvCollectionImpl* CreateScratch() override;

    // IHvRowScrollRegions
    STDMETHODIMP get_Item(long index, IHvRowScrollRegion** out) override;

    // The first visible region reaching past the data area's bottom edge, else
    // the last visible region.
    ScrollRegionItem* GetRegionAtBottomEdge() const { return GetRegionAtFarEdge(); }
    void MarkRegionsDirty();
    void MarkRowScrollRegionsDirty(bool reset);
    // Empties every region's visible rows.
    bool RecalcAllRegions();
    // Every region forgets its first row.
    void ResetAllRegions();

    RowScrollRegionItem* RowRegionAt(LONG position) const;

protected:
    ScrollRegionItem* NewRegion() override;
    short MaxRegions() const override;
    long CategoryBit() const override { return CategoryRowScrollRegions; }
    int ScrollBarMetric() const override { return GetSystemMetrics(SM_CYHSCROLL); }
    double PixelsToUnits(long pixels) const override;
    long FarEdgeOf(const RECT& rect) const override { return rect.bottom; }
    DISPID SizeEventId() const override { return BeforeRowRegionSizeId; }
    DISPID SplitEventId() const override { return BeforeRowRegionSplitId; }
    bool FireBeforeRemoved(RegionControlSeam& control, IDispatch* region) override;
    bool FireBeforeSize(RegionControlSeam& control, IDispatch* region1, IDispatch* region2) override;
    void OnRegionInserted() override { NotifySubscribers(OwnerPropertyId, 0); }

private:
    explicit HvRowScrollRegions(ScrollRegionsLayoutSeam* layout);
    ~HvRowScrollRegions() override = default;
};
