// RowList: ordering a loaded list by the sort keys of its binding.
#include "RowList.h"

#include "ColumnInfo.h"
#include "ComparableValue.h"
#include "RowData.h"
#include "RowSortHook.h"
#include "RowsetBinding.h"

#include <algorithm>
#include <vector>

namespace {

struct SortValue {
    VARIANT v;
    SortValue() { VariantInit(&v); }
    ~SortValue() { VariantClear(&v); }
    SortValue(const SortValue&) = delete;
    SortValue& operator=(const SortValue&) = delete;
};

// -1, 0 or 1: the order of two values of one key column. Values of two
// kinds are first brought to one where a conversion keeps them apart.
int CompareValues(const VARIANT& first, const VARIANT& second)
{
    ComparableValue a(first);
    ComparableValue b(second);
    if (a.GetKind() != b.GetKind() && a.GetKind() > ComparableValue::Null &&
        b.GetKind() > ComparableValue::Null) {
        if (!b.ConvertTo(a.GetKind()))
            a.ConvertTo(b.GetKind());
    }
    return a.Compare(b);
}

// True when row first goes before row second under the keys. Rows equal on
// every key keep the data source's order, whatever order an earlier sort
// left them in.
bool SortsBefore(RowData* first, RowData* second, const SortKeyChain& keys, RowSortHook* hook)
{
    for (const SortKeyChain::Key& key : keys.Keys()) {
        if (!key.column)
            continue;
        bool before = false;
        if (hook && hook->CompareRows(first, second, key.column, key.ascending, &before))
            return before;
        SortValue a;
        SortValue b;
        const DBORDINAL ordinal = key.column->GetOrdinal();
        if (FAILED(first->GetValue(ordinal, &a.v)))
            VariantClear(&a.v);
        if (FAILED(second->GetValue(ordinal, &b.v)))
            VariantClear(&b.v);
        const int order = CompareValues(a.v, b.v);
        if (order != 0)
            return key.ascending ? order < 0 : order > 0;
    }
    return first->CompareByProvider(*second) == DBCOMPARE_LT;
}

} // namespace

bool RowList::PrepareCache()
{
    RowsetBinding* binding = GetNodeBinding();
    if (binding && !binding->GetSortKeys().IsEmpty())
        LoadAll(false);
    return ServesFromCache();
}

void RowList::DropSortOrder()
{
    RowsetBinding* binding = GetNodeBinding();
    if (!binding || !binding->GetSortKeys().IsEmpty() || sortStamp_ == 0)
        return;
    sortStamp_ = 0;
    if (Preloads() && IsCompletelyLoaded())
        LoadAll(true);
    else
        ReleaseAll();
}

void RowList::SortChildren(bool force)
{
    RowsetBinding* binding = GetNodeBinding();
    if (!binding || !IsCompletelyLoaded())
        return;
    const SortKeyChain& keys = binding->GetSortKeys();
    if (keys.IsEmpty())
        return;
    if (!force && sortStamp_ == binding->GetSortGeneration())
        return;
    // The band may keep the rows as they stand; the list counts as sorted.
    RowSortHook* hook = binding->GetSortHook();
    RowData* parentRow = GetNodeRow();
    if (hook && hook->BeforeSort(parentRow)) {
        sortStamp_ = binding->GetSortGeneration();
        return;
    }
    // A copy: the band's client code runs during the sort.
    const SortKeyChain order = binding->GetSortKeys();
    const ULONG generation = binding->GetSortGeneration();
    std::vector<RowTreeNode*> rows;
    for (RowTreeNode* node = first_; node; node = node->NextSibling())
        rows.push_back(node);
    std::stable_sort(rows.begin(), rows.end(), [&](RowTreeNode* a, RowTreeNode* b) {
        return SortsBefore(static_cast<RowData*>(a), static_cast<RowData*>(b), order, hook);
    });
    // The rows keep their references and their marks while they move.
    ReorderChildren(rows.data(), rows.size());
    sortStamp_ = generation;
    Renumber();
    if (hook)
        hook->AfterSort(parentRow);
}
