// RowsetBinding: the provider calls the row model makes for one row at a
// time (hash, identity, update, undo, delete), and the rows it holds.
#include "RowsetBinding.h"

#include "RowData.h"

#include <algorithm>

#include <oledberr.h>

bool RowsetBinding::AddRow(RowData* row)
{
    if (!row || HasRow(row))
        return false;
    heldRows_.push_back(row);
    row->AddRef();
    return true;
}

bool RowsetBinding::RemoveRow(RowData* row)
{
    auto found = std::find(heldRows_.begin(), heldRows_.end(), row);
    if (found == heldRows_.end())
        return false;
    heldRows_.erase(found);
    row->Release();
    return true;
}

bool RowsetBinding::HasRow(RowData* row) const
{
    return std::find(heldRows_.begin(), heldRows_.end(), row) != heldRows_.end();
}

void RowsetBinding::ClearRows()
{
    std::vector<RowData*> rows;
    rows.swap(heldRows_);
    for (RowData* row : rows)
        row->Release();
}

HRESULT RowsetBinding::HashBookmark(HCHAPTER chapter, ULONG length, const BYTE* bookmark, DBHASHVALUE* hash)
{
    if (!hash || !bookmark || !length)
        return E_INVALIDARG;
    if (!locate_ || IsDesignTime())
        return DB_E_NOTSUPPORTED;
    DBBKMARK size = length;
    const BYTE* bookmarks[1] = {bookmark};
    DBROWSTATUS status = DBROWSTATUS_S_OK;
    return locate_->Hash(chapter, 1, &size, bookmarks, hash, &status);
}

HRESULT RowsetBinding::CompareRowIdentity(HROW row1, HROW row2)
{
    if (!identity_ || IsDesignTime())
        return DB_E_NOTSUPPORTED;
    return identity_->IsSameRow(row1, row2);
}

HRESULT RowsetBinding::UpdateRow(HCHAPTER chapter, HROW row)
{
    if (!update_ || IsDesignTime())
        return S_OK;
    return update_->Update(chapter, 1, &row, nullptr, nullptr, nullptr);
}

HRESULT RowsetBinding::UndoRow(HCHAPTER chapter, HROW row)
{
    if (!update_ || IsDesignTime())
        return DB_E_NOTSUPPORTED;
    return update_->Undo(chapter, 1, &row, nullptr, nullptr, nullptr);
}

HRESULT RowsetBinding::DeleteRow(HCHAPTER chapter, HROW row)
{
    if (!change_ || IsDesignTime())
        return DB_E_NOTSUPPORTED;
    // The one row's status says why: a consumer's veto is a cancel.
    DBROWSTATUS status = DBROWSTATUS_S_OK;
    const HRESULT hr = change_->DeleteRows(chapter, 1, &row, &status);
    if (hr == DB_E_ERRORSOCCURRED && status == DBROWSTATUS_E_CANCELED)
        return DB_E_CANCELED;
    return hr;
}

void RowsetBinding::SetSortKeys(const SortKeyChain& keys)
{
    if (keys == sortKeys_)
        return;
    sortKeys_ = keys;
    ++sortGeneration_;
}
