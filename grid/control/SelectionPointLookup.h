// SelectionPointLookup: the cell, or the row, cell or column, under a point
// during a mouse selection. A selection can run beyond the data area, so
// rows and headers are found by the point's position in the active
// scroll regions. The lookups never fail: they answer null or the current
// item.
#pragma once

#include "PointLookupHost.h"

class SelectionPointLookup
{
public:
    // host is not owned.
    explicit SelectionPointLookup(PointLookupHost& host) : m_host(host) {}

    // The cell under the point (packed client x and y), when it lies in
    // the given regions (null: any); null otherwise.
    HvSelectableItem* CellAtPoint(LPARAM point, const void* rowRegion, const void* colRegion);
    // The item of the current item's kind under the point, else current.
    HvSelectableItem* SelectableItemAtPoint(LPARAM point, HvSelectableItem* current);

private:
    HvSelectableItem* ColumnAtPoint(POINT point, const void* header, HvSelectableItem* current);

    PointLookupHost& m_host;
};
