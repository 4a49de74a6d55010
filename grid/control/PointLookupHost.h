// PointLookupHost: what the control's point lookups of a mouse selection
// need of the layout's elements and the active scroll regions. Regions and
// headers are known only by identity here. The control implements it over
// the display's elements; tests use stand-ins.
#pragma once

#include <windows.h>

class HvSelectableItem;
class SelectionBandSeam;

// The cell element (hvUIElementCell) under a point.
struct CellElementHit {
    HvSelectableItem* item = nullptr;  // the element's cell
    const void* rowRegion = nullptr;   // its row scroll region
    const void* colRegion = nullptr;   // its column scroll region
};

class PointLookupHost
{
public:
    // False without a root element or without a cell element there.
    virtual bool CellElementAt(POINT point, CellElementHit& hit) = 0;
    // The active regions, or null.
    virtual const void* ActiveRowRegion() = 0;
    virtual const void* ActiveColRegion() = 0;
    // The row of the row element at the vertical position in the active
    // row region, or null.
    virtual HvSelectableItem* RowAt(int y) = 0;
    // The header at the horizontal position in the active column region,
    // or null.
    virtual const void* HeaderAt(int x) = 0;
    // The column of the row's band at the point, in the header's
    // coordinates below the row's top; null when none.
    virtual HvSelectableItem* ColumnInRowAt(const void* header, HvSelectableItem* row, POINT point) = 0;
    // The column at the point in the header of the current column's band
    // (at the header's first line, or below the group headers of a band
    // of several levels); null when none.
    virtual HvSelectableItem* ColumnInHeaderAt(const void* header, HvSelectableItem* current, POINT point) = 0;
    // 0 row, 1 cell, 2 column, 99 group.
    virtual int ItemKind(HvSelectableItem* item) = 0;

protected:
    ~PointLookupHost() = default;
};
