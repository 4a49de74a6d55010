// OwnedElementLookup: the process-wide finder.
#include "OwnedElementLookup.h"

OwnedElementFinder& OwnedElementLookup()
{
    static OwnedElementFinder finder = nullptr;
    return finder;
}

UIElementSeam* FindOwnedElement(HvLayout* layout, const OwnedElementQuery& query, bool create)
{
    OwnedElementFinder finder = OwnedElementLookup();
    return finder && layout ? finder(*layout, query, create) : nullptr;
}

ColumnCellsRefresher& ColumnCellsRefresh()
{
    static ColumnCellsRefresher refresher = nullptr;
    return refresher;
}

bool RefreshColumnCells(HvLayout* layout, HvColumnGroupImpl* column)
{
    ColumnCellsRefresher refresher = ColumnCellsRefresh();
    if (!refresher || !layout || !column)
        return false;
    refresher(*layout, *column);
    return true;
}
