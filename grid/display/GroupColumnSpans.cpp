// GroupColumnSpans: a group's columns as the group laid them out.
#include "GroupColumnSpans.h"

#include "HvColumn.h"
#include "HvGroup.h"

#include <algorithm>

std::vector<GroupColumnSpan> GroupColumnSpans(HvColumnGroupImpl* item)
{
    std::vector<GroupColumnSpan> spans;
    auto* group = item && item->IsGroup() ? dynamic_cast<HvGroup*>(item) : nullptr;
    if (!group)
        return spans;
    for (SHORT i = 0; HvColumn* column = group->GetColumnAt(i); ++i) {
        if (column->IsHiddenItem() || column->GetVisibleExtent() <= 0)
            continue;
        spans.push_back(GroupColumnSpan{column, column->StoredOrigin(), column->GetExtent(),
                                        std::max<int>(column->Level(), 0)});
    }
    return spans;
}

void LevelLine(long top, long bottom, int levels, int level, long& lineTop, long& lineBottom)
{
    levels = std::max(levels, 1);
    level = std::clamp(level, 0, levels - 1);
    const long line = (bottom - top) / levels;
    lineTop = top + line * level;
    lineBottom = level == levels - 1 ? bottom : lineTop + line;
}
