// HvRowScrollRegions: the row axis of the scroll-region collections.
#include "HvRowScrollRegions.h"

#include "HvVisibleRows.h"
#include "ScrollRegionsLayoutSeam.h"

HvRowScrollRegions::HvRowScrollRegions(ScrollRegionsLayoutSeam* layout)
    : HvScrollRegionsBase(ObjectType::RowScrollRegions, OwnerPropertyId, layout)
{
}

HRESULT HvRowScrollRegions::Create(ScrollRegionsLayoutSeam* layout, HvRowScrollRegions** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        HvRowScrollRegions* made = new HvRowScrollRegions(layout);
        made->AppendDefaultRegion();
        *out = made;
        return S_OK;
    });
}

STDMETHODIMP HvRowScrollRegions::get_Item(long index, IHvRowScrollRegion** out)
{
    return Guard([&] { return ItemAt(index, reinterpret_cast<void**>(out)); });
}

ScrollRegionItem* HvRowScrollRegions::NewRegion()
{
    return Layout() ? Layout()->CreateRowScrollRegion(this) : nullptr;
}

short HvRowScrollRegions::MaxRegions() const
{
    return Layout() ? Layout()->MaxRowScrollRegions() : 0;
}

double HvRowScrollRegions::PixelsToUnits(long pixels) const
{
    return Layout() ? Layout()->PixelsToUnitsY(pixels) : pixels;
}

bool HvRowScrollRegions::FireBeforeRemoved(RegionControlSeam& control, IDispatch* region)
{
    return control.FireBeforeRowRegionRemoved(region);
}

bool HvRowScrollRegions::FireBeforeSize(RegionControlSeam& control, IDispatch* region1, IDispatch* region2)
{
    return control.FireBeforeRowRegionSize(region1, region2);
}

RowScrollRegionItem* HvRowScrollRegions::RowRegionAt(LONG position) const
{
    // Only CreateRowScrollRegion makes the regions of this collection.
    return static_cast<RowScrollRegionItem*>(RegionAt(position));
}

void HvRowScrollRegions::MarkRegionsDirty()
{
    for (LONG i = 0; i < ItemCount(); ++i)
        RowRegionAt(i)->UpdateScrollBar(true);
}

void HvRowScrollRegions::MarkRowScrollRegionsDirty(bool reset)
{
    for (LONG i = 0; i < ItemCount(); ++i)
        RowRegionAt(i)->SetDirty(true, reset);
}

bool HvRowScrollRegions::RecalcAllRegions()
{
    for (LONG i = 0; i < ItemCount(); ++i)
        if (HvVisibleRows* rows = RowRegionAt(i)->VisibleRows())
            rows->ClearObjectListCollection(true, 0);
    return true;
}

void HvRowScrollRegions::ResetAllRegions()
{
    for (LONG i = 0; i < ItemCount(); ++i)
        RowRegionAt(i)->ClearFirstRow();
}

HvCollectionImpl* HvRowScrollRegions::CreateScratch()
{
    HvRowScrollRegions* scratch = nullptr;
    return SUCCEEDED(Create(Layout(), &scratch)) ? scratch : nullptr;
}
