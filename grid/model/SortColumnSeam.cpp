// SortColumnSeam: the sort face of a collection item.
#include "SortColumnSeam.h"

#include "HvKeyedItem.h"

SortColumnSeam* SortColumnSeam::FromKeyed(HvKeyedItem* item)
{
    return dynamic_cast<SortColumnSeam*>(item);
}
