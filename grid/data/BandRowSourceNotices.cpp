// BandRowSource: what the band makes of its binding's provider notices:
// the active row and cell are let go before their rows change or go, the
// row objects refresh, and the layout redraws and rebuilds its row lists.
#include "BandRowSource.h"

#include "CellHostSeam.h"
#include "ColumnCellFace.h"
#include "ColumnInfo.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "HvRowScrollRegions.h"
#include "RowBatch.h"
#include "RowData.h"
#include "RowGridHost.h"
#include "RowsetBinding.h"

template <class Each>
void BandRowSource::ForEachRow(RowBatch* rows, Each each)
{
    if (!rows)
        return;
    while (rows->Remaining() > 0) {
        RowData* data = nullptr;
        const HRESULT hr = rows->Next(&data, true, true);
        if (hr == E_UNEXPECTED)
            break;
        if (!data)
            continue;
        each(data, ExistingRowObject(data));
        data->Release();
    }
}

void BandRowSource::Redraw()
{
    if (HvLayout* layout = Layout())
        layout->DirtyRootUIElement(true, true);
}

void BandRowSource::RebuildRegions()
{
    if (HvLayout* layout = Layout())
        layout->MarkRowScrollRegionsDirty();
}

void BandRowSource::OnRowOrderChanged()
{
    HvLayout* layout = Layout();
    if (HvRowScrollRegions* regions = layout ? layout->RowScrollRegions() : nullptr)
        regions->MarkRowScrollRegionsDirty(true);
    Redraw();
}

// Rows went away: the lists rebuild, and a grid left without active row
// activates its first one.
void BandRowSource::AfterRowsGone()
{
    RebuildRegions();
    if (band_ && !grid_.ActiveRow() && grid_.MakesRows())
        grid_.ActivateFirstRow(true);
    Redraw();
}

HRESULT BandRowSource::OnFieldChange(LONG phase, LONG, RowData* row, ColumnInfo* column)
{
    HvRow* object = ExistingRowObject(row);
    if (!object)
        return S_OK;
    if (phase == OkToDo) {
        // The user's edit of that very field wins over the provider's change.
        if (object == grid_.ActiveRow() && grid_.KeepsEditedField(column))
            return S_FALSE;
        return S_OK;
    }
    // The row shows the field's new value.
    if (phase == SyncAfter && column)
        RefreshRow(object);
    return S_OK;
}

HRESULT BandRowSource::OnRowDelete(LONG phase, LONG, RowBatch* rows)
{
    if (phase == OkToDo) {
        HRESULT answer = S_OK;
        ForEachRow(rows, [&](RowData*, HvRow* object) {
            if (answer == S_OK && object && object == grid_.ActiveRow() && grid_.DeactivateActiveRow(true) != 0)
                answer = S_FALSE;
        });
        return answer;
    }
    if (phase == FailedToDo)
        Redraw();
    if (phase == DidEvent)
        AfterRowsGone();
    return S_OK;
}

HRESULT BandRowSource::OnRowInsert(LONG phase, LONG, RowBatch*)
{
    if (phase == DidEvent) {
        RebuildRegions();
        Redraw();
    }
    return S_OK;
}

HRESULT BandRowSource::OnRowResynch(LONG phase, LONG, RowBatch* rows)
{
    if (phase == SyncAfter)
        ForEachRow(rows, [&](RowData*, HvRow* object) {
            if (object)
                RefreshRow(object);
        });
    return S_OK;
}

HRESULT BandRowSource::OnRowUndoChange(LONG phase, LONG, RowBatch* rows)
{
    if (phase == SyncAfter)
        ForEachRow(rows, [&](RowData*, HvRow* object) {
            if (object)
                RefreshRow(object);
        });
    if (phase == FailedToDo)
        Redraw();
    return S_OK;
}

HRESULT BandRowSource::OnRowUndoInsert(LONG phase, LONG, RowBatch* rows)
{
    if (phase == OkToDo) {
        ForEachRow(rows, [&](RowData*, HvRow* object) {
            if (object && object == grid_.ActiveRow())
                grid_.DeactivateActiveRow(false);
        });
        return S_OK;
    }
    if (phase == DidEvent) {
        // The rows are gone only once the undo is done: a veto keeps them.
        ForEachRow(rows, [&](RowData*, HvRow* object) {
            if (object) {
                if (object == grid_.ActiveRow())
                    grid_.DropActiveRow();
                object->OnRowDataGone(true);
            }
        });
        AfterRowsGone();
    }
    if (phase == FailedToDo)
        Redraw();
    return S_OK;
}

HRESULT BandRowSource::OnRowUndoDelete(LONG phase, LONG, RowBatch*)
{
    if (phase == FailedToDo)
        Redraw();
    if (phase == DidEvent)
        AfterRowsGone();
    return S_OK;
}

HRESULT BandRowSource::OnRowUpdate(LONG phase, LONG, RowBatch* rows)
{
    if (phase == SyncAfter)
        ForEachRow(rows, [&](RowData*, HvRow* object) {
            if (!object)
                return;
            if (object->HasDataChanged())
                object->SetDataChanged(VARIANT_FALSE);
            RefreshRow(object);
        });
    return S_OK;
}

HRESULT BandRowSource::OnRowsetChange(LONG phase, LONG, RowBatch*)
{
    if (phase == DidEvent) {
        RebuildRegions();
        Redraw();
    }
    return S_OK;
}

// --- the row position -----------------------------------------------------------------------

HRESULT BandRowSource::OnPositionOkToDo()
{
    if (!band_ || !grid_.MakesRows())
        return S_OK;
    return grid_.DeactivateActiveRow(true) == 1 ? S_FALSE : S_OK;
}

HRESULT BandRowSource::OnPositionSyncAfter(RowData*)
{
    if (band_ && !band_->Parent() && grid_.MakesRows())
        grid_.ActivateFirstRow(true);
    return S_OK;
}

HRESULT BandRowSource::OnPositionDidEvent()
{
    if (band_ && !band_->Parent())
        MarkRowsDirty();
    return S_OK;
}
