// SelectionRulesHost: what the control's range selection helpers ask of
// the grid about a row or a cell: whether the rules pass over it, its own
// selected mark and pivot, and the band's selection limits.
#pragma once

#include <windows.h>

class HvSelectableItem;

class SelectionRulesHost
{
public:
    // Effectively hidden, or its Activation resolves to disabled.
    virtual bool IsHiddenOrDisabled(HvSelectableItem* item) = 0;
    // The selected mark that the selection code sets on the item.
    virtual bool IsMarkedSelected(HvSelectableItem* item) = 0;
    // The item is its own selection pivot.
    virtual bool IsSelectionPivot(HvSelectableItem* item) = 0;
    // The resolved MaxSelectedRows / MaxSelectedCells of the row's band;
    // 0 for no limit.
    virtual LONG MaxSelectedRows(HvSelectableItem* row) = 0;
    virtual LONG MaxSelectedCells(HvSelectableItem* row) = 0;

protected:
    ~SelectionRulesHost() = default;
};

// A selection list as the helpers fill it: its count and its append.
class SelectionListTarget
{
public:
    virtual LONG Count() = 0;
    // Appends a live item not yet in the list.
    virtual HRESULT Add(HvSelectableItem* item, bool flag) = 0;

protected:
    ~SelectionListTarget() = default;
};
