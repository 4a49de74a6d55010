// RowSortHook: the band's say in the sorting of its rows. A binding's row
// lists ask it before they sort (it may keep the rows as they stand), for
// each pair of rows on a key (it may order them itself) and after.
#pragma once

class ColumnInfo;
class RowData;

class RowSortHook {
public:
    // The rows under parentRow (null: the rows without parent) are about to
    // be sorted; true when they are to stay in their order (no AfterSort).
    virtual bool BeforeSort(RowData* parentRow) = 0;
    // True when the hook ordered first and second on the key column, with
    // *firstBefore whether first goes before second.
    virtual bool CompareRows(RowData* first, RowData* second, ColumnInfo* column, bool ascending,
                             bool* firstBefore) = 0;
    virtual void AfterSort(RowData* parentRow) = 0;

protected:
    ~RowSortHook() = default;
};
