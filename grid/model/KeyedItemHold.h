// KeyedItemHold: one reference on a collection item (a cell, row, column or
// band) for the scope of an operation whose events may let the item go.
#pragma once

#include "AutomationObject.h"
#include "HvKeyedItem.h"

class KeyedItemHold {
public:
    explicit KeyedItemHold(HvKeyedItem* item) : item_(item)
    {
        if (item_)
            item_->AddRefItem();
    }
    ~KeyedItemHold()
    {
        if (item_)
            item_->ReleaseItem();
    }
    KeyedItemHold(const KeyedItemHold&) = delete;
    KeyedItemHold& operator=(const KeyedItemHold&) = delete;

    // False once the item has been deleted or its grid has gone (true when
    // nothing is held).
    bool Alive() const { return !item_ || CAutomationObject::IsActive(item_->GetItemObject()); }

private:
    HvKeyedItem* item_;
};
