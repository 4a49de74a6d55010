// HvBandRowsetListener and HvBandRowPositionListener: how a band hears its
// rowset binding's provider notices. Each entry gets the OLE DB event phase
// (0 OKTODO, 1 ABOUTTODO, 2 SYNCHAFTER, 3 FAILEDTODO, 4 DIDEVENT); the slot
// of a row notice is its DBREASON less 3. An entry answers S_OK for the
// phases it does not act on; a non-zero answer at phase 0 vetoes.
#pragma once

#include <windows.h>

class ColumnInfo;
class RowBatch;
class RowData;

class HvBandRowsetListener {
public:
    enum Phase : LONG { OkToDo = 0, AboutToDo = 1, SyncAfter = 2, FailedToDo = 3, DidEvent = 4 };

    virtual HRESULT OnFieldChange(LONG phase, LONG reason, RowData* row, ColumnInfo* column) = 0;
    virtual HRESULT OnRowActivate(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowRelease(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowDelete(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowFirstChange(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowInsert(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowResynch(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowUndoChange(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowUndoInsert(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowUndoDelete(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowUpdate(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnRowAsynchInsert(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnReserved12(LONG, LONG, RowBatch*) { return S_OK; }
    virtual HRESULT OnReserved13(LONG, LONG, RowBatch*) { return S_OK; }
    virtual HRESULT OnRowsetChange(LONG phase, LONG reason, RowBatch* rows) = 0;
    virtual HRESULT OnReserved15(LONG, LONG, RowBatch*) { return S_OK; }
    virtual HRESULT OnReserved16(LONG, LONG, RowBatch*) { return S_OK; }
    virtual HRESULT OnReserved17(LONG, LONG, RowBatch*) { return S_OK; }
    // Not a notice: makes sure the record has its row object (held by the
    // record; the caller gets no reference).
    virtual void GetRowObjectForRecord(RowData* row) = 0;

protected:
    ~HvBandRowsetListener() = default;
};

// DBREASON_ROWPOSITION_CHANGED, phase by phase.
class HvBandRowPositionListener {
public:
    // Phase 0: non-zero vetoes the move.
    virtual HRESULT OnPositionOkToDo() = 0;
    // Phase 2: the new current row (null for none).
    virtual HRESULT OnPositionSyncAfter(RowData* row) = 0;
    // Phase 4.
    virtual HRESULT OnPositionDidEvent() = 0;

protected:
    ~HvBandRowPositionListener() = default;
};
