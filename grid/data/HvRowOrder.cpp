// HvRow: the order of two rows, for walking a range between them.
#include "HvRow.h"

#include "RowData.h"
#include "RowsetBinding.h"

#include <vector>

namespace {

RowData* DataOf(const HvRow* row)
{
    return row ? dynamic_cast<RowData*>(row->GetRowData()) : nullptr;
}

// The row and its ancestors, the top-level row first.
std::vector<RowData*> LineOf(RowData* row)
{
    std::vector<RowData*> line;
    for (; row; row = row->GetParentRow())
        line.insert(line.begin(), row);
    return line;
}

} // namespace

DBCOMPARE HvRow::CompareOrder(HvRow* other)
{
    RowData* mine = DataOf(this);
    RowData* theirs = DataOf(other);
    if (!mine || !theirs)
        return DBCOMPARE_NOTCOMPARABLE;
    return mine->CompareOrder(*theirs);
}

DBCOMPARE HvRow::CompareSiblingOrder(HvRow* other)
{
    RowData* mine = DataOf(this);
    RowData* theirs = DataOf(other);
    if (!mine || !theirs)
        return DBCOMPARE_NOTCOMPARABLE;
    if (mine == theirs)
        return DBCOMPARE_EQ;
    return mine->CompareByPosition(*theirs);
}

DBCOMPARE HvRow::CompareTreeOrder(HvRow* other)
{
    RowData* mine = DataOf(this);
    RowData* theirs = DataOf(other);
    if (!mine || !theirs)
        return DBCOMPARE_NOTCOMPARABLE;
    if (mine == theirs)
        return DBCOMPARE_EQ;
    const std::vector<RowData*> a = LineOf(mine);
    const std::vector<RowData*> b = LineOf(theirs);
    // The first level where the two lines part.
    size_t level = 0;
    while (level < a.size() && level < b.size() && a[level] == b[level])
        ++level;
    if (level == a.size() || level == b.size())
        return level == a.size() ? DBCOMPARE_LT : DBCOMPARE_GT; // an ancestor goes first
    RowData* left = a[level];
    RowData* right = b[level];
    if (left->GetBinding() != right->GetBinding()) {
        // Two child bands under one parent row: their chapter columns' order.
        RowsetBinding* parent = level ? a[level - 1]->GetBinding() : nullptr;
        const long first = parent ? parent->FindChapterColumnOf(left->GetBinding()) : -1;
        const long second = parent ? parent->FindChapterColumnOf(right->GetBinding()) : -1;
        if (first < 0 || second < 0 || first == second)
            return DBCOMPARE_NOTCOMPARABLE;
        return first < second ? DBCOMPARE_LT : DBCOMPARE_GT;
    }
    const ULONG leftPlace = left->GetPositionIndex();
    const ULONG rightPlace = right->GetPositionIndex();
    if (leftPlace == rightPlace)
        return DBCOMPARE_NE;
    return leftPlace < rightPlace ? DBCOMPARE_LT : DBCOMPARE_GT;
}
