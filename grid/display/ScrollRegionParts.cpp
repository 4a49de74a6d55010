// The region makers of the layout parts table.
#include "ScrollRegionParts.h"

#include "HvColScrollRegion.h"
#include "HvRowScrollRegion.h"
#include "LayoutPartsSeam.h"

namespace {

ColScrollRegionItem* MakeColScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber)
{
    return HvColScrollRegion::Create(layout, subscriber);
}

RowScrollRegionItem* MakeRowScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber)
{
    return HvRowScrollRegion::Create(layout, subscriber);
}

} // namespace

void InstallScrollRegionParts()
{
    LayoutPartMakers& parts = LayoutParts();
    if (!parts.colScrollRegion)
        parts.colScrollRegion = &MakeColScrollRegion;
    if (!parts.rowScrollRegion)
        parts.rowScrollRegion = &MakeRowScrollRegion;
}
