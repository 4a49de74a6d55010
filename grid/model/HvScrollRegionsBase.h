// HvScrollRegionsBase: what the column and the row scroll-region collections
// share. Both hold their regions in screen order (the first is the leftmost
// or topmost), always keep at least one, refuse to remove the last visible
// one, let the control veto a removal, resize two neighbours together and
// end splitter drags. The axis-specific parts are hooks of the two classes.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"
#include "ScrollRegionItem.h"

#include <Tavelle.h>

#include <vector>

class RegionControlSeam;
class ScrollRegionsLayoutSeam;

namespace RegionError {
constexpr HRESULT LastVisibleRegion = static_cast<HRESULT>(0x800A9C4B);   // 4002
constexpr HRESULT ReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);     // 4014
constexpr HRESULT LastRegionSize = static_cast<HRESULT>(0x800A9C62);      // 4023
constexpr HRESULT InvalidIndex = static_cast<HRESULT>(0x800AA21D);        // 1005
constexpr WORD LastVisibleRegionString = 4002;
constexpr WORD ReadOnlyInEventString = 4014;
constexpr WORD LastRegionSizeString = 4023;
constexpr WORD InvalidIndexString = 1005;
} // namespace RegionError

// The dispatch Remove of the region interfaces takes a VARIANT*, as does the
// storage's own Remove; this layer keeps the two apart.
template <class TInterface>
class RegionRemoveLayer : public TInterface {
public:
    STDMETHODIMP Remove(VARIANT* region) final { return DispatchRemove(region); }

protected:
    virtual HRESULT DispatchRemove(VARIANT* region) = 0;
};

template <class TInterface>
class HvScrollRegionsBase : public HvCollectionObject<RegionRemoveLayer<TInterface>, HvVectorCollection> {
    using Base = HvCollectionObject<RegionRemoveLayer<TInterface>, HvVectorCollection>;

public:
    // Regions' notices that change what the grid shows.
    static constexpr DISPID ScrollBarId = 0x444;
    static constexpr DISPID HiddenId = 0x467;
    static constexpr DISPID RemoveId = 2002;

    // The dispatch Remove (with the last-region and event rules).
    HRESULT RemoveRegion(VARIANT* region);

    bool CanAddRegion() const;
    bool HasDataForCategories(long categories) const;
    HRESULT CopyFrom(HvScrollRegionsBase& source);
    // Ends a splitter drag at pixel position position (grid client
    // coordinates); region is the region whose far edge was dragged, or null
    // for a drag that started at a split box.
    void MoveSplitter(long position, ScrollRegionItem* region);
    // Sets region's size; the next visible region takes the difference.
    HRESULT ResizeRegion(ScrollRegionItem* region, long newSize);
    HRESULT IndexOfRegion(ScrollRegionItem* region, long* out);
    // Inserts with a reference of the collection's own.
    HRESULT InsertRegion(ScrollRegionItem* region, long index);
    ScrollRegionItem* GetFirstVisibleRegion() const;
    ScrollRegionItem* GetNextVisibleRegion(ScrollRegionItem* region, bool wrap) const;
    ScrollRegionItem* GetPrevVisibleRegion(ScrollRegionItem* region, bool wrap) const;
    bool HasOtherVisibleRegion(ScrollRegionItem* region) const;
    // The first visible region reaching past the far edge of the data area,
    // else the last visible region.
    ScrollRegionItem* GetRegionAtFarEdge() const;
    ScrollRegionItem* GetLastVectorItem() const;
    bool AnyRegionShowsScrollBar(int flag);
    void UpdateScrollBars();
    void AssertValid();

    ScrollRegionItem* RegionAt(LONG position) const;
    ScrollRegionsLayoutSeam* Layout() const { return layout_; }

    // HvCollectionImpl
    bool SupportsKeys() const override { return false; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override;
    HRESULT BeforeRemoveItem(HvKeyedItem* item) override;
    HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach) override;
    void OnItemRemoved(HvKeyedItem* item, bool force, LONG silent, bool fromClear) override;
    // A stream or bag that leaves no region, or fails, leaves one default
    // region behind: a layout always has one.
    HRESULT Load(IStream* stream, LONG arg) override;
    HRESULT LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, LONG arg) override;

    // ChangeSubscriber
    void OnChange(const ChangeNotice* notice) override;

protected:
    HvScrollRegionsBase(int objectType, DISPID republishId, ScrollRegionsLayoutSeam* layout);
    ~HvScrollRegionsBase() override;

    HRESULT DispatchRemove(VARIANT* region) override;
    void ReleaseReferences() override;
    // Appends one new region (construction).
    void AppendDefaultRegion();
    // The item at position, queried for the region interface.
    HRESULT ItemAt(long index, void** out);
    // The regions that are not hidden, each referenced while listed.
    std::vector<ScrollRegionItem*> SnapshotRegions(bool visibleOnly) const;
    static void ReleaseSnapshot(std::vector<ScrollRegionItem*>& regions);
    RegionControlSeam* Control() const;

    // The axis.
    virtual ScrollRegionItem* NewRegion() = 0;
    virtual short MaxRegions() const = 0;
    virtual long CategoryBit() const = 0;
    virtual int ScrollBarMetric() const = 0;
    virtual double PixelsToUnits(long pixels) const = 0;
    virtual long FarEdgeOf(const RECT& rect) const = 0;
    virtual DISPID SizeEventId() const = 0;
    virtual DISPID SplitEventId() const = 0;
    virtual bool FireBeforeRemoved(RegionControlSeam& control, IDispatch* region) = 0;
    virtual bool FireBeforeSize(RegionControlSeam& control, IDispatch* region1, IDispatch* region2) = 0;
    // After a region's notice and after a resize (the column collection
    // marks itself for recalculation), after an insertion (the row
    // collection publishes).
    virtual void OnRegionsChanged() {}
    virtual void OnRegionInserted() {}

private:
    void EnsureOneRegion();

    ScrollRegionsLayoutSeam* layout_;  // not owned
};
