// ScrollRegionItem, ColScrollRegionItem, RowScrollRegionItem: what the
// scroll-region collections need of the column and row scroll regions of the
// grid display. A region is an automation object of its own that its
// collection holds as a collection item; these are the operations the
// collections call on it directly.
#pragma once

#include "HvKeyedItem.h"
#include "ScrollRegionSeam.h"

class HvVisibleRows;

class ScrollRegionItem : public HvKeyedItem, public ScrollRegionSeam {
public:
    static constexpr BYTE SizingModeFixed = 1;

    // Origin and extent in pixels along the region's axis.
    virtual long Origin() const = 0;
    virtual long Extent() const = 0;
    // The low nibble of the region's settings byte.
    virtual BYTE ScrollBarSetting() const = 0;
    // The high nibble of the settings byte (SizingModeFixed = fixed).
    virtual BYTE SizingMode() const = 0;
    // Stores both, recalculates now or marks the region for recalculation,
    // and publishes the size change when notify is true.
    virtual void SetOriginExtent(long origin, long extent, bool recalculateNow, bool notify) = 0;
    // The region's client width (column) or height (row) in pixels.
    virtual long ClientSize() = 0;
    // Splits the region at size (container units; null for the default);
    // the new region, inserted by the region itself, comes back with one
    // reference.
    virtual HRESULT Split(float* size, ScrollRegionItem** newRegion) = 0;
    virtual void UpdateScrollBar(bool force) = 0;
    virtual bool IsScrollBarVisible(int flag) = 0;
    // Raises the After...RegionSize event when the visible size changed.
    virtual void CheckSizeChanged() = 0;
    // source is a region of the same axis.
    virtual void CopySettingsFrom(ScrollRegionItem& source) = 0;
    // The region's own persistence answer for a category mask.
    virtual bool HasDataForCategories(long categories) = 0;
    virtual void AssertValid() = 0;

protected:
    ~ScrollRegionItem() = default;
};

class ColScrollRegionItem : public ScrollRegionItem {
public:
    static constexpr size_t IdentitySize = 16;

    virtual void SetDirty(bool dirty, bool resetPosition, bool markRoot) = 0;
    // IdentitySize bytes that name the region.
    virtual const BYTE* IdentityBlock() const = 0;
    virtual void ResetMetrics() = 0;
    // Recomputes the visible headers and range.
    virtual void Recalculate() = 0;

protected:
    ~ColScrollRegionItem() = default;
};

class RowScrollRegionItem : public ScrollRegionItem {
public:
    virtual void SetDirty(bool dirty, bool reset) = 0;
    // Drops the region's first-row reference (re-layout follows when the
    // region is not linked to another).
    virtual void ClearFirstRow() = 0;
    // The region's visible rows, or null when it has made none yet.
    virtual HvVisibleRows* VisibleRows() = 0;

protected:
    ~RowScrollRegionItem() = default;
};
