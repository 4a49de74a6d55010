// RowsetBinding: advising, the provider's notifications passed on to the
// band's listeners, and the row position.
#include "RowsetBinding.h"

#include "RowBatch.h"
#include "RowBookmark.h"
#include "RowRecordSeam.h"
#include "HvBandRowsetListener.h"

#include <ocidl.h>

#include <algorithm>
#include <new>

HRESULT RowsetBinding::Advise(IUnknown* source, REFIID iid, IUnknown* sink, DWORD* cookie)
{
    ComRef<IConnectionPointContainer> container;
    HRESULT hr = container.QueryFrom(source, IID_IConnectionPointContainer);
    if (FAILED(hr))
        return hr;
    ComRef<IConnectionPoint> point;
    if (FAILED(hr = container->FindConnectionPoint(iid, point.Put())))
        return hr;
    return point->Advise(sink, cookie);
}

HRESULT RowsetBinding::Unadvise(IUnknown* source, REFIID iid, DWORD* cookie)
{
    if (*cookie == kNoCookie)
        return S_OK;
    ComRef<IConnectionPointContainer> container;
    HRESULT hr = container.QueryFrom(source, IID_IConnectionPointContainer);
    if (FAILED(hr))
        return hr;
    ComRef<IConnectionPoint> point;
    if (FAILED(hr = container->FindConnectionPoint(iid, point.Put())))
        return hr;
    hr = point->Unadvise(*cookie);
    if (SUCCEEDED(hr))
        *cookie = kNoCookie;
    return hr;
}

HRESULT RowsetBinding::AdviseNotifications()
{
    if (!rowset_)
        return E_FAIL;
    UnadviseNotifications();
    return Advise(rowset_.Get(), IID_IRowsetNotify, static_cast<IRowsetNotify*>(this), &notifyCookie_);
}

HRESULT RowsetBinding::UnadviseNotifications()
{
    if (!rowset_)
        return E_FAIL;
    return Unadvise(rowset_.Get(), IID_IRowsetNotify, &notifyCookie_);
}

HRESULT RowsetBinding::AdviseRowPosition()
{
    if (!rowPosition_)
        return E_FAIL;
    UnadviseRowPosition();
    return Advise(rowPosition_.Get(), IID_IRowPositionChange, static_cast<IRowPositionChange*>(this),
                  &positionCookie_);
}

HRESULT RowsetBinding::UnadviseRowPosition()
{
    if (!rowPosition_)
        return E_FAIL;
    return Unadvise(rowPosition_.Get(), IID_IRowPositionChange, &positionCookie_);
}

STDMETHODIMP RowsetBinding::OnFieldChange(IRowset*, HROW row, DBORDINAL count, DBORDINAL columns[],
                                          DBREASON reason, DBEVENTPHASE phase, BOOL)
{
    if ((reason != DBREASON_COLUMN_SET && reason != DBREASON_COLUMN_RECALCULATED) || !columns || !dataListener_ ||
        !records_)
        return S_OK;
    HRESULT result = S_OK;
    RowData* record = nullptr;
    try {
        ChapterHandle chapter(this);
        chapter.Attach(this, DB_NULL_HCHAPTER, true);
        record = records_->FindOrMakeRow(*this, row, chapter, true);
        if (!record)
            return S_OK;
        for (DBORDINAL i = 0; i < count; ++i)
            result = dataListener_->OnFieldChange(static_cast<LONG>(phase), static_cast<LONG>(reason), record,
                                                  GetColumn(columns[i]));
    } catch (...) {
        // A listener that throws ends the loop; the provider still gets its answer.
    }
    if (record)
        records_->ReleaseRow(record);
    return result;
}

void RowsetBinding::TrackDeletions(RowBatch& batch, DBREASON reason, DBEVENTPHASE phase)
{
    if (!records_)
        return;
    if (reason == DBREASON_ROW_DELETE && phase == DBEVENTPHASE_ABOUTTODO) {
        for (ULONG i = 0; i < batch.Count(); ++i) {
            RowData* record = records_->FindOrMakeRow(*this, batch.Handle(i), batch.Chapter(), true);
            if (!record)
                continue;
            records_->MarkBeingDeleted(record, true);
            if (std::find(beingDeleted_.begin(), beingDeleted_.end(), record) == beingDeleted_.end())
                beingDeleted_.push_back(record); // keeps the lookup's reference
            else
                records_->ReleaseRow(record);
        }
    } else if (reason == DBREASON_ROW_DELETE && phase == DBEVENTPHASE_FAILEDTODO) {
        for (ULONG i = 0; i < batch.Count(); ++i) {
            RowData* record = records_->FindOrMakeRow(*this, batch.Handle(i), batch.Chapter(), true);
            if (!record)
                continue;
            auto it = std::find(beingDeleted_.begin(), beingDeleted_.end(), record);
            if (it != beingDeleted_.end()) {
                records_->MarkBeingDeleted(record, false);
                beingDeleted_.erase(it);
                records_->ReleaseRow(record);
            }
            records_->ReleaseRow(record);
        }
    } else if (reason == DBREASON_ROW_DELETE && phase == DBEVENTPHASE_DIDEVENT) {
        std::vector<RowData*> settled;
        settled.swap(beingDeleted_);
        for (RowData* record : settled) {
            records_->SettleDeleted(record);
            records_->ReleaseRow(record);
        }
    }
}

HRESULT RowsetBinding::DispatchRowChange(RowBatch& batch, DBREASON reason, DBEVENTPHASE phase, BOOL)
{
    HvBandRowsetListener* l = dataListener_;
    const LONG p = static_cast<LONG>(phase);
    const LONG r = static_cast<LONG>(reason);
    switch (reason) {
    case DBREASON_ROW_ACTIVATE: return l->OnRowActivate(p, r, &batch);
    case DBREASON_ROW_RELEASE: return l->OnRowRelease(p, r, &batch);
    case DBREASON_ROW_DELETE: return l->OnRowDelete(p, r, &batch);
    case DBREASON_ROW_FIRSTCHANGE: return l->OnRowFirstChange(p, r, &batch);
    case DBREASON_ROW_INSERT: return l->OnRowInsert(p, r, &batch);
    case DBREASON_ROW_RESYNCH: return l->OnRowResynch(p, r, &batch);
    case DBREASON_ROW_UNDOCHANGE: return l->OnRowUndoChange(p, r, &batch);
    case DBREASON_ROW_UNDOINSERT: return l->OnRowUndoInsert(p, r, &batch);
    case DBREASON_ROW_UNDODELETE: return l->OnRowUndoDelete(p, r, &batch);
    case DBREASON_ROW_UPDATE: return l->OnRowUpdate(p, r, &batch);
    case DBREASON_ROW_ASYNCHINSERT: return l->OnRowAsynchInsert(p, r, &batch);
    default: return S_OK;
    }
}

STDMETHODIMP RowsetBinding::OnRowChange(IRowset*, DBCOUNTITEM count, const HROW rows[], DBREASON reason,
                                        DBEVENTPHASE phase, BOOL cantDeny)
{
    if (positionReads_ > 0 && (reason == DBREASON_ROW_ACTIVATE || reason == DBREASON_ROW_RELEASE))
        return S_OK;
    HRESULT result = S_OK;
    try {
        ChapterHandle chapter(this);
        chapter.Attach(this, DB_NULL_HCHAPTER, true);
        // A notice names any number of rows: they go on in batches.
        DBCOUNTITEM done = 0;
        do {
            const DBCOUNTITEM left = count - done;
            const ULONG size = left > RowBatch::kMaxRows ? RowBatch::kMaxRows : static_cast<ULONG>(left ? left : 1);
            RowBatch batch(this, chapter, size, false, false, true);
            if (rows && count)
                batch.SetHandles(size, rows + done);
            TrackDeletions(batch, reason, phase);
            if (dataListener_) {
                const HRESULT answer = DispatchRowChange(batch, reason, phase, cantDeny);
                if (answer != S_OK && result == S_OK)
                    result = answer;
            }
            done += size;
        } while (done < count);
        if (phase == DBEVENTPHASE_DIDEVENT)
            AfterRowsArrived(reason);
    } catch (...) {
        // A listener that throws ends the notification; the provider still gets its answer.
    }
    return result;
}

// Rows that came in (or came back) change the counts and the neighbours
// of the rows the grid knows: the lists read the rowset again.
void RowsetBinding::AfterRowsArrived(DBREASON reason)
{
    switch (reason) {
    case DBREASON_ROW_INSERT: case DBREASON_ROW_UNDOINSERT: case DBREASON_ROW_UNDODELETE:
    case DBREASON_ROW_ASYNCHINSERT:
        break;
    default:
        return;
    }
    ClearCachedCounts();
    ResetTopLevelCounts();
    if (records_)
        records_->ForgetSiblingAnswers();
}

STDMETHODIMP RowsetBinding::OnRowsetChange(IRowset*, DBREASON reason, DBEVENTPHASE phase, BOOL)
{
    if (reason != DBREASON_ROWSET_CHANGED || phase != DBEVENTPHASE_DIDEVENT)
        return S_OK;
    HRESULT result = S_OK;
    try {
        if (records_)
            records_->ClearRowMap(*this);
        // Column types may have changed: every accessor is made again on next use.
        for (auto& column : columns_)
            column->ReleaseAccessor();
        ClearCachedCounts();
        if (dataListener_)
            result = dataListener_->OnRowsetChange(static_cast<LONG>(phase), static_cast<LONG>(reason), nullptr);
    } catch (...) {
    }
    return result;
}

STDMETHODIMP RowsetBinding::OnRowPositionChange(DBREASON reason, DBEVENTPHASE phase, BOOL)
{
    // The band hears a position change phase by phase: whether the active
    // row may be left, the new current row, and the refresh once done.
    HRESULT result = S_OK;
    try {
        switch (reason) {
        case DBREASON_ROWPOSITION_CHANGED:
            if (!positionListener_)
                return S_OK;
            if (phase == DBEVENTPHASE_OKTODO)
                result = positionListener_->OnPositionOkToDo();
            else if (phase == DBEVENTPHASE_SYNCHAFTER)
                result = NotifyNewPosition();
            else if (phase == DBEVENTPHASE_DIDEVENT)
                result = positionListener_->OnPositionDidEvent();
            break;
        case DBREASON_ROWPOSITION_CHAPTERCHANGED:
            ClearCachedCounts();
            ResetTopLevelCounts();
            if (positionListener_ && phase == DBEVENTPHASE_DIDEVENT)
                result = positionListener_->OnPositionDidEvent();
            break;
        case DBREASON_ROWPOSITION_CLEARED:
            if (positionListener_ && phase == DBEVENTPHASE_OKTODO)
                result = positionListener_->OnPositionOkToDo();
            break;
        default:
            break;
        }
    } catch (...) {
        // A listener that throws ends the notification; the provider still gets its answer.
    }
    return result;
}

HRESULT RowsetBinding::NotifyNewPosition()
{
    RowData* record = nullptr;
    HCHAPTER chapter = DB_NULL_HCHAPTER;
    std::unique_ptr<RowBookmark> current;
    DBPOSITIONFLAGS flags = DBPOSITION_NOROW;
    if (records_ && SUCCEEDED(GetRowPosition(&chapter, &current, &flags)) && current)
        record = records_->FindOrMakeRow(*this, current->GetRowHandle(true), current->Chapter(), false);
    HRESULT result = S_OK;
    try {
        result = positionListener_->OnPositionSyncAfter(record);
    } catch (...) {
    }
    if (record)
        records_->ReleaseRow(record);
    return result;
}

HRESULT RowsetBinding::GetRowPositionChapter(HCHAPTER* chapter)
{
    *chapter = DB_NULL_HCHAPTER;
    if (!rowPosition_)
        return E_FAIL;
    HROW row = DB_NULL_HROW;
    DBPOSITIONFLAGS flags = DBPOSITION_NOROW;
    ++positionReads_;
    HRESULT hr = rowPosition_->GetRowPosition(chapter, &row, &flags);
    // The provider handed out a real row even in design mode, where
    // ReleaseRowHandles does nothing.
    if (row && rowset_)
        rowset_->ReleaseRows(1, &row, nullptr, nullptr, nullptr);
    --positionReads_;
    return hr;
}

HRESULT RowsetBinding::GetRowPosition(HCHAPTER* chapter, std::unique_ptr<RowBookmark>* row, DBPOSITIONFLAGS* flags)
{
    if (!rowPosition_)
        return E_NOTIMPL;
    HCHAPTER currentChapter = DB_NULL_HCHAPTER;
    HROW handle = DB_NULL_HROW;
    DBPOSITIONFLAGS positionFlags = DBPOSITION_NOROW;
    ++positionReads_;
    HRESULT hr = rowPosition_->GetRowPosition(&currentChapter, &handle, &positionFlags);
    --positionReads_;
    if (FAILED(hr))
        return hr;
    if (chapter)
        *chapter = currentChapter;
    if (flags)
        *flags = positionFlags;
    if (!row) {
        if (handle)
            ReleaseRowHandles(1, &handle);
        return hr;
    }
    row->reset();
    if (positionFlags != DBPOSITION_OK || !handle) {
        if (handle)
            ReleaseRowHandles(1, &handle);
        return E_FAIL;
    }
    // The position's chapter is adopted as it comes, without a reference of our own.
    row->reset(new (std::nothrow) RowBookmark(handle, this, ChapterHandle(this, currentChapter, false), 0, nullptr,
                                              false));
    if (!*row) {
        ReleaseRowHandles(1, &handle);
        return E_OUTOFMEMORY;
    }
    return hr;
}

HRESULT RowsetBinding::SetRowPosition(HCHAPTER chapter, HROW row)
{
    if (!IsAttached() || !rowPosition_)
        return E_FAIL;
    HRESULT hr = rowPosition_->ClearRowPosition();
    if (FAILED(hr) && hr != E_UNEXPECTED)
        return hr;
    return rowPosition_->SetRowPosition(chapter, row, row ? DBPOSITION_OK : DBPOSITION_NOROW);
}

HRESULT RowsetBinding::SyncRowPosition(HCHAPTER chapter, HROW row)
{
    if (!rowPosition_)
        return E_NOTIMPL;
    HCHAPTER currentChapter = DB_NULL_HCHAPTER;
    std::unique_ptr<RowBookmark> current;
    DBPOSITIONFLAGS flags = DBPOSITION_NOROW;
    if (SUCCEEDED(GetRowPosition(&currentChapter, &current, &flags)) && current && currentChapter == chapter) {
        const HROW currentRow = current->GetRowHandle(false);
        if (currentRow == row ||
            (identity_ && row && identity_->IsSameRow(currentRow, row) == S_OK))
            return S_OK;
    }
    return SetRowPosition(chapter, row);
}
