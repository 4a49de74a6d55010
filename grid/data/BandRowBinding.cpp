// BandRowBinding: the band's settings passed to the row model, its listeners
// to the binding, and its row count from the row lists.
#include "BandRowBinding.h"

#include "ColumnInfo.h"
#include "RootRowList.h"
#include "RowsetBinding.h"

BandRowBinding::BandRowBinding(RowsetBinding& binding) : binding_(binding), store_(binding)
{
    binding_.AddRef();
}

BandRowBinding::~BandRowBinding()
{
    ReleaseHeldRows();
    binding_.Release();
}

bool BandRowBinding::IsUnavailable()
{
    return !binding_.GetRowset() || !binding_.GetAccessorInterface();
}

LONG BandRowBinding::RowCount()
{
    if (RootRowList* list = store_.TopLevelList())
        return static_cast<LONG>(list->GetApproximateCount(false));
    return static_cast<LONG>(store_.ApproximateRowCount());
}

ColumnInfoSeam* BandRowBinding::ColumnInfoAt(LONG index)
{
    ColumnInfo* column = binding_.GetFirstColumn();
    for (LONG i = 0; column && i < index; ++i)
        column = binding_.GetNextColumn(column);
    return column;
}

void BandRowBinding::SetSortColumns(const SortColumn* columns, size_t count)
{
    SortKeyChain keys;
    for (size_t i = 0; i < count; ++i)
        if (columns[i].column)
            keys.Append(static_cast<ColumnInfo*>(columns[i].column), static_cast<LONG>(i), columns[i].ascending);
    const ULONG generation = binding_.GetSortGeneration();
    binding_.SetSortKeys(keys);
    if (binding_.GetSortGeneration() != generation) {
        store_.SortLists();
        OnRowOrderChanged();
    }
}

void BandRowBinding::Configure(bool expandRowsOnLoad, bool outOfView, LONG fetchRows)
{
    store_.SetRowsStartExpanded(expandRowsOnLoad);
    store_.SetFetchRows(fetchRows);
    store_.SetExcluded(outOfView);
    store_.ClearEstimates();
}

void BandRowBinding::ReleaseHeldRows()
{
    binding_.ClearRows();
    if (RootRowList* list = store_.TopLevelList())
        list->ReleaseAll();
}

HRESULT BandRowBinding::AddRow(IHvRow*, IHvRow** out)
{
    if (out)
        *out = nullptr;
    return E_FAIL;
}
