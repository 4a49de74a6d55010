// HvColScrollRegions: the column axis of the scroll-region collections and
// the recalculation of the column regions.
#include "HvColScrollRegions.h"

#include "ScrollRegionsLayoutSeam.h"
#include "HvRowScrollRegions.h"

#include <cstring>

HvColScrollRegions::HvColScrollRegions(ScrollRegionsLayoutSeam* layout)
    : HvScrollRegionsBase(ObjectType::ColScrollRegions, OwnerPropertyId, layout)
{
}

HRESULT HvColScrollRegions::Create(ScrollRegionsLayoutSeam* layout, HvColScrollRegions** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        HvColScrollRegions* made = new HvColScrollRegions(layout);
        made->AppendDefaultRegion();
        made->recalculating_ = false;
        made->recalcPending_ = true;
        *out = made;
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegions::get_Item(long index, IHvColScrollRegion** out)
{
    return Guard([&] { return ItemAt(index, reinterpret_cast<void**>(out)); });
}

ScrollRegionItem* HvColScrollRegions::NewRegion()
{
    return Layout() ? Layout()->CreateColScrollRegion(this) : nullptr;
}

short HvColScrollRegions::MaxRegions() const
{
    return Layout() ? Layout()->MaxColScrollRegions() : 0;
}

double HvColScrollRegions::PixelsToUnits(long pixels) const
{
    return Layout() ? Layout()->PixelsToUnitsX(pixels) : pixels;
}

bool HvColScrollRegions::FireBeforeRemoved(RegionControlSeam& control, IDispatch* region)
{
    return control.FireBeforeColRegionRemoved(region);
}

bool HvColScrollRegions::FireBeforeSize(RegionControlSeam& control, IDispatch* region1, IDispatch* region2)
{
    return control.FireBeforeColRegionSize(region1, region2);
}

ColScrollRegionItem* HvColScrollRegions::ColRegionAt(LONG position) const
{
    // Only CreateColScrollRegion makes the regions of this collection.
    return static_cast<ColScrollRegionItem*>(RegionAt(position));
}

ColScrollRegionItem* HvColScrollRegions::RegionFromPosition(long x) const
{
    for (LONG i = 0; i < ItemCount(); ++i) {
        ColScrollRegionItem* region = ColRegionAt(i);
        if (region->Origin() <= x && x <= region->Origin() + region->ClientSize())
            return region;
    }
    return nullptr;
}

ColScrollRegionItem* HvColScrollRegions::FindRegionByBlock(const BYTE* block) const
{
    if (!block)
        return nullptr;
    for (LONG i = 0; i < ItemCount(); ++i) {
        ColScrollRegionItem* region = ColRegionAt(i);
        const BYTE* own = region->IdentityBlock();
        if (own && std::memcmp(own, block, ColScrollRegionItem::IdentitySize) == 0)
            return region;
    }
    return nullptr;
}

bool HvColScrollRegions::MarkRegionsDirty()
{
    for (LONG i = 0; i < ItemCount(); ++i)
        ColRegionAt(i)->SetDirty(true, false, true);
    return true;
}

void HvColScrollRegions::MarkAllScrollRegionsDirty(bool resetPositions)
{
    recalcPending_ = true;
    for (LONG i = 0; i < ItemCount(); ++i)
        ColRegionAt(i)->SetDirty(true, resetPositions, true);
    if (!Layout())
        return;
    if (HvRowScrollRegions* rows = Layout()->RowScrollRegions())
        rows->MarkRowScrollRegionsDirty(resetPositions);
    Layout()->DirtyRootUIElement(false, true);
}

void HvColScrollRegions::RecalcIfDirty()
{
    if (!recalcPending_)
        return;
    recalcPending_ = false;
    recalculating_ = true;
    for (LONG i = 0; i < ItemCount(); ++i)
        ColRegionAt(i)->ResetMetrics();
    if (Layout())
        Layout()->UpdateTotalBandExtent();
    // A recalculation may remove regions; those listed stay alive until the
    // list is released.
    std::vector<ScrollRegionItem*> regions;
    try {
        regions = SnapshotRegions(false);
    } catch (const std::bad_alloc&) {
        recalculating_ = false;
        recalcPending_ = true;
        return;
    }
    for (ScrollRegionItem* region : regions)
        if (CAutomationObject::IsActive(region->GetItemObject()))
            static_cast<ColScrollRegionItem*>(region)->Recalculate();
    recalculating_ = false;
    if (Layout() && Layout()->IsGridWindowVisible())
        Layout()->RepositionEditWindow();
    ReleaseSnapshot(regions);
}

HvCollectionImpl* HvColScrollRegions::CreateScratch()
{
    HvColScrollRegions* scratch = nullptr;
    return SUCCEEDED(Create(Layout(), &scratch)) ? scratch : nullptr;
}
