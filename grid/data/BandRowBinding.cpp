// BandRowBinding: the band's settings passed to the row model, its listeners
// to the binding, and its row count from the row lists.
#include "BandRowBinding.h"

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

void BandRowBinding::AddListeners(HvBandRowsetListener* rows, HvBandRowPositionListener* position)
{
    if (rows)
        binding_.SetDataChangeListener(rows);
    if (position)
        binding_.SetRowPositionListener(position);
}

void BandRowBinding::RemoveListeners(HvBandRowsetListener* rows, HvBandRowPositionListener* position)
{
    if (rows && binding_.GetDataChangeListener() == rows)
        binding_.ClearDataChangeListener();
    if (position)
        binding_.ClearRowPositionListener();
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
    if (RootRowList* list = store_.TopLevelList())
        list->ReleaseAll();
}

HRESULT BandRowBinding::AddRow(IHvRow*, IHvRow** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}
