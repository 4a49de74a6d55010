// HvSelectableItem: the selectable face of a collection item.
#include "HvSelectableItem.h"

#include "HvKeyedItem.h"

HvSelectableItem* HvSelectableItem::FromKeyed(HvKeyedItem* item)
{
    return dynamic_cast<HvSelectableItem*>(item);
}
