// HeaderDragTarget: the queries on a drag target.
#include "HeaderDragTarget.h"

#include "HvColumn.h"
#include "HvGroup.h"

LONG HeaderDragKind(HvSelectableItem* object)
{
    HvColumnGroupImpl* item = HeaderItemOf(object);
    return item ? item->GetDragKind() : (object ? HvDragKindCell : 0);
}

HvColumnGroupImpl* HeaderItemOf(HvSelectableItem* object)
{
    return dynamic_cast<HvColumnGroupImpl*>(object);
}

void HeaderDragTarget::Reset()
{
    object = nullptr;
    side = 0;
    group = nullptr;
    level = -1;
}

HvColumn* HeaderDragTarget::GetColumn() const
{
    return IsColumn() ? dynamic_cast<HvColumn*>(object) : nullptr;
}

HvGroup* HeaderDragTarget::GetGroup() const
{
    if (IsGroup())
        return dynamic_cast<HvGroup*>(object);
    if (group)
        return group;
    if (HvColumn* column = GetColumn())
        return column->GetGroup();
    return nullptr;
}
