// RowsetBinding: fetching rows into batches, positions, inserting rows and
// keeping the held row handles within the provider's limit.
#include "RowsetBinding.h"

#include "DataErrors.h"
#include "RowBatch.h"
#include "RowBookmark.h"

#include <oledberr.h>

namespace {

constexpr int kHandlesPerRetry = 10;
constexpr HROW kPlaceholderRows[] = {static_cast<HROW>(0xFFFFFFFF), static_cast<HROW>(0xFFFFFFFE)};

} // namespace

HRESULT RowsetBinding::ReleaseRowHandles(DBCOUNTITEM count, const HROW* rows)
{
    if (IsDesignTime() || !count)
        return S_OK;
    if (!rowset_)
        return E_FAIL;
    return rowset_->ReleaseRows(count, rows, nullptr, nullptr, nullptr);
}

HRESULT RowsetBinding::AddRefRowHandles(DBCOUNTITEM count, const HROW* rows)
{
    if (IsDesignTime() || !count)
        return S_OK;
    if (!rowset_)
        return E_FAIL;
    return rowset_->AddRefRows(count, rows, nullptr, nullptr);
}

HRESULT RowsetBinding::FillPlaceholderRows(RowBatch& batch)
{
    const ULONG count = batch.Capacity() < 2 ? batch.Capacity() : 2;
    for (ULONG i = 0; i < count; ++i)
        batch.HandleSlots()[i] = kPlaceholderRows[i];
    batch.SetObtained(count, false);
    if (batch.Capacity() >= 3) {
        batch.SetEnd(true);
        return DB_S_ENDOFROWSET;
    }
    return S_OK;
}

HRESULT RowsetBinding::GetRowsAtWithRetry(HCHAPTER chapter, ULONG length, const BYTE* bookmark, DBROWOFFSET offset,
                                          DBROWCOUNT count, RowBatch& batch, DBCOUNTITEM* obtained)
{
    for (;;) {
        *obtained = 0;
        HROW* rows = batch.HandleSlots();
        HRESULT hr = locate_->GetRowsAt(0, chapter, length, bookmark, offset, count, obtained, &rows);
        if (hr != DB_S_ROWLIMITEXCEEDED)
            return hr;
        // The rows that fit came back: give them back too before asking again,
        // or the repeated call would overwrite (and leak) their handles.
        ReleaseRowHandles(*obtained, rows);
        for (DBCOUNTITEM i = 0; i < *obtained; ++i)
            rows[i] = DB_NULL_HROW;
        if (FAILED(ReleaseHeldHandles(kHandlesPerRetry))) {
            *obtained = 0;
            return E_FAIL;
        }
    }
}

HRESULT RowsetBinding::FetchAt(ULONG length, const BYTE* bookmark, DBROWOFFSET offset, RowBatch& batch)
{
    if (IsDesignTime())
        return FillPlaceholderRows(batch);
    if (!IsAttached())
        return E_FAIL;
    if (!locate_)
        return DB_E_NOTSUPPORTED;
    const HCHAPTER chapter = batch.Chapter().Value();
    const bool backward = batch.IsBackward();
    DBROWCOUNT count = static_cast<DBROWCOUNT>(batch.Capacity());
    if (backward) {
        if (canFetchBackwards_)
            count = -count;
        else if (batch.Capacity() >= 2)
            offset -= static_cast<DBROWOFFSET>(batch.Capacity() - 1);
    }
    const bool readFromEnd = backward && !canFetchBackwards_;
    bool shortened = false;
    DBCOUNTITEM obtained = 0;
    HRESULT hr;
    for (;;) {
        hr = GetRowsAtWithRetry(chapter, length, bookmark, offset, count, batch, &obtained);
        if (hr != DB_E_BADSTARTPOSITION)
            break;
        if (readFromEnd && offset < -1 && count >= 2 && obtained == 0) {
            ++offset;
            --count;
            shortened = true;
            continue;
        }
        // Past either end: what was obtained is the end of the rowset.
        hr = DB_S_ENDOFROWSET;
        break;
    }
    if (FAILED(hr)) {
        batch.SetObtained(0, readFromEnd);
        return hr;
    }
    batch.SetObtained(static_cast<ULONG>(obtained), readFromEnd);
    if (hr == DB_S_ENDOFROWSET || hr == DB_S_STOPLIMITREACHED)
        batch.SetEnd(true);
    if (shortened) {
        batch.SetEnd(true);
        hr = DB_S_ENDOFROWSET;
    }
    return hr;
}

HRESULT RowsetBinding::FetchAtRatio(DBCOUNTITEM numerator, DBCOUNTITEM denominator, RowBatch& batch)
{
    if (IsDesignTime())
        return FillPlaceholderRows(batch);
    if (!IsAttached() || !scroll_)
        return E_FAIL;
    const HCHAPTER chapter = batch.Chapter().Value();
    DBCOUNTITEM obtained = 0;
    HRESULT hr;
    for (;;) {
        obtained = 0;
        HROW* rows = batch.HandleSlots();
        hr = scroll_->GetRowsAtRatio(0, chapter, numerator, denominator, batch.Capacity(), &obtained, &rows);
        if (hr != DB_S_ROWLIMITEXCEEDED)
            break;
        ReleaseRowHandles(obtained, rows);
        for (DBCOUNTITEM i = 0; i < obtained; ++i)
            rows[i] = DB_NULL_HROW;
        if (FAILED(ReleaseHeldHandles(kHandlesPerRetry))) {
            batch.SetObtained(0, false);
            return E_FAIL;
        }
    }
    if (FAILED(hr)) {
        batch.SetObtained(0, false);
        return hr;
    }
    batch.SetObtained(static_cast<ULONG>(obtained), false);
    if (hr == DB_S_ENDOFROWSET || hr == DB_S_STOPLIMITREACHED)
        batch.SetEnd(true);
    return hr;
}

HRESULT RowsetBinding::GetApproximatePosition(HCHAPTER chapter, RowBookmark* row, DBCOUNTITEM* position,
                                              DBCOUNTITEM* rows)
{
    if (IsDesignTime()) {
        if (rows)
            *rows = 2;
        if (position)
            *position = row && row->GetRowHandle(false) == kPlaceholderRows[1] ? 1 : 0;
        return S_OK;
    }
    if (!IsAttached() || !scroll_)
        return E_FAIL;
    const ULONG length = row ? row->GetBookmarkLength() : 0;
    const BYTE* bytes = length ? row->GetBookmarkBytes() : nullptr;
    DBCOUNTITEM pos = 0;
    DBCOUNTITEM count = 0;
    HRESULT hr = scroll_->GetApproximatePosition(chapter, length, bytes, &pos, &count);
    if (SUCCEEDED(hr) && length && pos == count)
        hr = scroll_->GetApproximatePosition(chapter, length, bytes, &pos, &count);
    if (FAILED(hr))
        return hr;
    if (position)
        *position = pos;
    if (rows)
        *rows = count;
    return hr;
}

HRESULT RowsetBinding::InsertRow(HCHAPTER chapter, HROW* row)
{
    if (!row)
        return E_POINTER;
    *row = DB_NULL_HROW;
    if (!IsAttached())
        return E_FAIL;
    if (!change_)
        return RaiseDataError(DataError::ReadOnly, E_FAIL);
    HACCESSOR accessor = DB_NULL_HACCESSOR;
    HRESULT hr = accessor_->CreateAccessor(DBACCESSOR_ROWDATA, 0, nullptr, 0, &accessor, nullptr);
    if (FAILED(hr))
        return hr;
    for (;;) {
        hr = change_->InsertRow(chapter, accessor, nullptr, row);
        if (hr != DB_S_ROWLIMITEXCEEDED && hr != DB_E_ROWLIMITEXCEEDED)
            break;
        if (*row) // the row came back all the same: keep it
            break;
        if (FAILED(ReleaseHeldHandles(kHandlesPerRetry))) {
            hr = E_FAIL;
            break;
        }
    }
    accessor_->ReleaseAccessor(accessor, nullptr);
    return hr;
}

bool RowsetBinding::HasPendingChanges(HROW row)
{
    if (!update_)
        return false;
    DBROWSTATUS* statuses = nullptr;
    DBPENDINGSTATUS pending = DBPENDINGSTATUS_UNCHANGED;
    HRESULT hr = update_->GetRowStatus(DB_NULL_HCHAPTER, 1, &row, &pending);
    CoTaskMemFree(statuses);
    return SUCCEEDED(hr) && pending != DBPENDINGSTATUS_UNCHANGED;
}

HRESULT RowsetBinding::ReleaseHeldHandles(int count)
{
    RowBookmark* firstKept = nullptr;
    int released = 0;
    while (released < count) {
        RowBookmark* oldest = heldLast_;
        if (!oldest || oldest == firstKept)
            return released ? S_OK : E_FAIL; // every handle left is in use
        UnlinkHeld(oldest);
        if (HasPendingChanges(oldest->GetRowHandle(false))) {
            LinkHeld(oldest);
            if (!firstKept)
                firstKept = oldest;
            continue;
        }
        oldest->ReleaseRowHandle(true);
        ++released;
    }
    return S_OK;
}
