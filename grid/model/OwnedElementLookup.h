// OwnedElementLookup: how an object of the model (a header, a cell, the
// add-new box, the caption) finds the element that shows it in a pair of
// scroll regions of the grid that shows its layout; the change-refresh
// helpers reach the element this way. The control, which sees the element
// tree, installs the finder when the library starts; without one an object
// has no element.
#pragma once

#include <windows.h>

class CAutomationObject;
class HvColumnGroupImpl;
class HvLayout;
class ScrollRegionSeam;
class UIElementSeam;

struct OwnedElementQuery {
    ULONG type = 0;
    CAutomationObject* row = nullptr;
    CAutomationObject* header = nullptr;
    CAutomationObject* cell = nullptr;
    // Null: any region.
    ScrollRegionSeam* rowRegion = nullptr;
    ScrollRegionSeam* colRegion = nullptr;
};

// The element is lent: the element tree keeps it. With create, a part of
// the tree waiting to be placed is placed first.
using OwnedElementFinder = UIElementSeam* (*)(HvLayout& layout, const OwnedElementQuery& query, bool create);

OwnedElementFinder& OwnedElementLookup();

// The element through the installed finder; null without a finder or layout.
UIElementSeam* FindOwnedElement(HvLayout* layout, const OwnedElementQuery& query, bool create);

// Every element that shows a cell of the column is drawn anew (the column's
// cell look changed, not its measures). Installed with the finder.
using ColumnCellsRefresher = void (*)(HvLayout& layout, HvColumnGroupImpl& column);

ColumnCellsRefresher& ColumnCellsRefresh();

// True when an installed refresher took the column.
bool RefreshColumnCells(HvLayout* layout, HvColumnGroupImpl* column);
