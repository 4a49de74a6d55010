// GroupColumnSpans: where the shown columns of a column group lie inside the
// group's span: each column's left offset from the group's left (its room for
// row selectors and expansion indicators included), its width, and its level
// (the line of the group it stands on, top first).
#pragma once

#include <vector>

class HvColumnGroupImpl;

struct GroupColumnSpan {
    HvColumnGroupImpl* column;
    long offset;
    long width;
    int level;
};

// The spans of item's columns when it is a group; empty otherwise.
std::vector<GroupColumnSpan> GroupColumnSpans(HvColumnGroupImpl* item);

// The top of level `level` of `levels` lines sharing height from top, and
// its bottom (the last line ends at bottom).
void LevelLine(long top, long bottom, int levels, int level, long& lineTop, long& lineBottom);
