// SelectStrategy: the strategy behind an override's SelectTypeRow,
// SelectTypeCell or SelectTypeCol setting (None, Single, Extended), as the
// bands and the click handlers call it. The control makes the strategies
// (through the layout's parts) and binds each to the grid that shows the
// item's layout on first use.
#pragma once

#include "OverrideStrategy.h"

#include <windows.h>

class HvSelectableItem;

class SelectStrategy : public OverrideStrategy {
public:
    // A press on the item (drag: the mouse holds the button and the strategy
    // follows it) or a selection by key (drag false).
    virtual void BeginSelect(HvSelectableItem* item, bool drag, bool shiftAllowed, bool byTab) = 0;
    // Selection from the object model (an item's Selected property, a
    // collection's Add); 1 when BeforeSelectChange cancelled.
    virtual HRESULT SetObjectSelected(HvSelectableItem* item, bool fireEvents) = 0;
    // Forgets the item reached last by a drag.
    virtual void Reset() = 0;

    // The selection strategy behind a strategy an override cached, or null.
    static SelectStrategy* FromStrategy(OverrideStrategy* strategy)
    {
        return dynamic_cast<SelectStrategy*>(strategy);
    }
};
