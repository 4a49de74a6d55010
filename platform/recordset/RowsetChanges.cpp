// The changes of the rowset (IRowsetChange, IRowsetUpdate): immediate or
// deferred, each announced to the notification sinks before and after it
// happens; pending rows keep their original values until Update or Undo.
#include "Rowset.h"

#include "Cursor.h"
#include "RowsetSupport.h"
#include "ValueConverter.h"

#include <oledberr.h>

#include <algorithm>
#include <cstring>

namespace hv::recordset {

using namespace rowset_detail;

namespace {

// Empties the optional answers of a call that returns rows and statuses.
void ClearReturnedRows(DBCOUNTITEM* count, HROW** rows, DWORD** statuses)
{
    if (count)
        *count = 0;
    if (rows)
        *rows = nullptr;
    if (statuses)
        *statuses = nullptr;
}

} // namespace

// ---- changes ---------------------------------------------------------------------------

std::vector<CellValue> Rowset::CurrentValues(uint32_t slot) const
{
    std::vector<CellValue> values;
    values.reserve(table_->FieldCount());
    for (size_t i = 0; i < table_->FieldCount(); ++i)
        values.push_back(table_->GetCell(slot, i));
    return values;
}

void Rowset::MarkPending(uint32_t slot)
{
    // A row with pending changes stays valid after the consumer releases it.
    if (!pending_.IsPending(slot))
        handles_.Hold(slot);
}

void Rowset::ClearPending(uint32_t slot)
{
    if (!pending_.IsPending(slot))
        return;
    pending_.Forget(slot);
    handles_.Unhold(slot);
}

namespace {

struct ConvertedRow {
    std::vector<std::pair<size_t, CellValue>> values;
    size_t good = 0;
};

// Reads the consumer's buffer for SetData and InsertRow, writing each
// binding's status back.
ConvertedRow Convert(const Table& table, const std::vector<DBTYPE>& types, const AccessorTable::Accessor& a,
                     BYTE* data)
{
    ConvertedRow row;
    for (const DBBINDING& b : a.bindings) {
        DBSTATUS status;
        bool ignore = false;
        DBSTATUS given = DBSTATUS_S_OK;
        if (b.dwPart & DBPART_STATUS)
            std::memcpy(&given, data + b.obStatus, sizeof given);
        if (given == DBSTATUS_S_IGNORE) {
            status = DBSTATUS_S_IGNORE;
        } else if (b.iOrdinal == 0 || types[b.iOrdinal] == DBTYPE_HCHAPTER) {
            status = DBSTATUS_E_PERMISSIONDENIED;
        } else {
            CellValue cell;
            status = ValueConverter::Set(table.FieldAt(b.iOrdinal - 1), b, data, cell, ignore);
            if (status == DBSTATUS_S_OK || status == DBSTATUS_S_ISNULL) {
                if (!ignore)
                    row.values.emplace_back(b.iOrdinal - 1, std::move(cell));
                status = ignore ? static_cast<DBSTATUS>(DBSTATUS_S_IGNORE) : status;
            }
        }
        const bool ok = status == DBSTATUS_S_OK || status == DBSTATUS_S_ISNULL || status == DBSTATUS_S_IGNORE;
        row.good += ok ? 1 : 0;
        if (b.dwPart & DBPART_STATUS)
            std::memcpy(data + b.obStatus, &status, sizeof status);
    }
    return row;
}

} // namespace

STDMETHODIMP Rowset::SetData(HROW hRow, HACCESSOR hAccessor, void* pData)
{
    return Guard([&]() -> HRESULT {
        if (NotificationRound::IsLocked())
            return DB_E_NOTREENTRANT;
        HRESULT hr = Switches().Enter("IRowsetChange::SetData");
        if (hr != S_OK)
            return hr;
        const AccessorTable::Accessor* a = nullptr;
        uint32_t slot = 0;
        hr = RowDataTarget(hRow, hAccessor, pData, a, slot);
        if (hr != S_OK)
            return hr == S_FALSE ? S_OK : hr;
        ConvertedRow row = Convert(*table_, types_, *a, static_cast<BYTE*>(pData));
        if (row.values.empty())
            return Tally(row.good, a->bindings.size());
        std::vector<size_t> fields;
        for (const auto& v : row.values)
            fields.push_back(v.first);
        const bool first = IsDeferred() && !pending_.IsPending(slot);
        NotificationRound round;
        if (first)
            round.Add(OwnRowsSender(DBREASON_ROW_FIRSTCHANGE, {slot}));
        round.Add(table_->FieldsSender(slot, fields));
        hr = round.Run([&]() -> HRESULT {
            if (!table_->IsLive(slot))
                return DB_E_DELETEDROW;
            if (first) {
                MarkPending(slot);
                pending_.MarkChanged(slot, CurrentValues(slot));
            }
            for (const auto& [field, cell] : row.values)
                table_->SetCell(slot, field, cell);
            return S_OK;
        });
        return FAILED(hr) ? hr : Tally(row.good, a->bindings.size());
    });
}

STDMETHODIMP Rowset::InsertRow(HCHAPTER hChapter, HACCESSOR hAccessor, void* pData, HROW* phRow)
{
    return Guard([&]() -> HRESULT {
        if (phRow)
            *phRow = DB_NULL_HROW;
        if (NotificationRound::IsLocked())
            return DB_E_NOTREENTRANT;
        HRESULT hr = Switches().Enter("IRowsetChange::InsertRow");
        if (hr != S_OK)
            return hr;
        const AccessorTable::Accessor* a = nullptr;
        hr = RowAccessor(hAccessor, a);
        if (FAILED(hr))
            return hr;
        if (!a->bindings.empty() && !pData)
            return E_INVALIDARG;
        if (hChapter != DB_NULL_HCHAPTER && (keyField_ == kNoKey || !chapters_.Exists(hChapter)))
            return DB_E_BADCHAPTER;
        const size_t limit = Switches().MaxHeldRows();
        if (phRow && limit && handles_.HeldRows() >= limit)
            return DB_E_ROWLIMITEXCEEDED;
        ConvertedRow row = Convert(*table_, types_, *a, static_cast<BYTE*>(pData));
        if (row.good != a->bindings.size())
            return DB_E_ERRORSOCCURRED;
        uint32_t slot = 0;
        hr = table_->NewSlot(slot);
        if (FAILED(hr))
            return hr;
        if (hChapter != DB_NULL_HCHAPTER) // a row inserted into a chapter belongs to it
            table_->SetCell(slot, keyField_, chapters_.KeyOf(hChapter));
        for (const auto& [field, cell] : row.values)
            table_->SetCell(slot, field, cell);
        NotificationRound round;
        round.Add(table_->RecordsSender(DBREASON_ROW_INSERT, {slot}));
        hr = round.Run([&]() -> HRESULT {
            HRESULT linked = table_->Link(slot);
            if (SUCCEEDED(linked) && IsDeferred()) {
                MarkPending(slot);
                pending_.MarkNew(slot);
            }
            return linked;
        });
        if (FAILED(hr))
            return hr;
        if (phRow)
            *phRow = AddRefSlot(slot);
        return S_OK;
    });
}

STDMETHODIMP Rowset::DeleteRows(HCHAPTER, DBCOUNTITEM cRows, const HROW rghRows[], DBROWSTATUS rgRowStatus[])
{
    return Guard([&]() -> HRESULT {
        if (NotificationRound::IsLocked())
            return DB_E_NOTREENTRANT;
        if (cRows && !rghRows)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetChange::DeleteRows");
        if (hr != S_OK)
            return hr;
        std::vector<uint32_t> slots, first;
        std::vector<DBROWSTATUS> status(cRows, DBROWSTATUS_S_OK);
        for (DBCOUNTITEM i = 0; i < cRows; ++i) {
            uint32_t slot = 0;
            if (FAILED(SlotOfRow(rghRows[i], slot)))
                status[i] = DBROWSTATUS_E_INVALID;
            else if (!table_->IsLive(slot) || std::find(slots.begin(), slots.end(), slot) != slots.end())
                status[i] = DBROWSTATUS_E_DELETED;
            else {
                slots.push_back(slot);
                if (IsDeferred() && !pending_.IsPending(slot))
                    first.push_back(slot);
            }
        }
        if (!slots.empty()) {
            NotificationRound round;
            if (!first.empty())
                round.Add(OwnRowsSender(DBREASON_ROW_FIRSTCHANGE, first));
            round.Add(table_->RecordsSender(DBREASON_ROW_DELETE, slots));
            hr = round.Run([&]() -> HRESULT {
                for (uint32_t slot : slots) {
                    if (IsDeferred()) {
                        if (pending_.StatusOf(slot) == DBPENDINGSTATUS_NEW) {
                            ClearPending(slot); // an insertion never transmitted simply goes
                        } else {
                            MarkPending(slot);
                            pending_.MarkDeleted(slot, CurrentValues(slot));
                        }
                    }
                    table_->Unlink(slot);
                }
                return S_OK;
            });
            if (FAILED(hr)) {
                const DBROWSTATUS failed = FailedRowStatus(hr);
                for (DBCOUNTITEM i = 0; i < cRows; ++i)
                    if (status[i] == DBROWSTATUS_S_OK)
                        status[i] = failed;
            }
        }
        if (rgRowStatus)
            std::copy(status.begin(), status.end(), rgRowStatus);
        return Tally(status);
    });
}

STDMETHODIMP Rowset::GetOriginalData(HROW hRow, HACCESSOR hAccessor, void* pData)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IRowsetUpdate::GetOriginalData");
        if (hr != S_OK)
            return hr;
        const AccessorTable::Accessor* a = nullptr;
        hr = RowAccessor(hAccessor, a);
        if (FAILED(hr))
            return hr;
        uint32_t slot = 0;
        hr = SlotOfRow(hRow, slot);
        if (FAILED(hr))
            return hr;
        const DBPENDINGSTATUS status = pending_.StatusOf(slot);
        if (status == DBPENDINGSTATUS_UNCHANGED && !table_->IsLive(slot))
            return DB_E_DELETEDROW;
        if (a->bindings.empty())
            return S_OK;
        if (!pData)
            return E_INVALIDARG;
        if (status == DBPENDINGSTATUS_NEW) {
            const std::vector<CellValue> defaults(table_->FieldCount());
            return ReadRow(slot, *a, static_cast<BYTE*>(pData), &defaults);
        }
        return ReadRow(slot, *a, static_cast<BYTE*>(pData), pending_.Originals(slot));
    });
}

STDMETHODIMP Rowset::GetPendingRows(HCHAPTER, DBPENDINGSTATUS dwRowStatus, DBCOUNTITEM* pcPendingRows,
                                    HROW** prgPendingRows, DBPENDINGSTATUS** prgPendingStatus)
{
    return Guard([&]() -> HRESULT {
        ClearReturnedRows(pcPendingRows, prgPendingRows, prgPendingStatus);
        const DBPENDINGSTATUS known = DBPENDINGSTATUS_NEW | DBPENDINGSTATUS_CHANGED | DBPENDINGSTATUS_DELETED;
        if (dwRowStatus & ~known)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetUpdate::GetPendingRows");
        if (hr != S_OK)
            return hr;
        const std::vector<uint32_t> rows = pending_.Rows(dwRowStatus);
        if (rows.empty())
            return S_FALSE;
        std::vector<DBPENDINGSTATUS> statuses;
        statuses.reserve(rows.size());
        for (uint32_t slot : rows)
            statuses.push_back(pending_.StatusOf(slot));
        return ReturnRows(rows, statuses, pcPendingRows, prgPendingRows, prgPendingStatus);
    });
}

STDMETHODIMP Rowset::GetRowStatus(HCHAPTER, DBCOUNTITEM cRows, const HROW rghRows[], DBPENDINGSTATUS rgPendingStatus[])
{
    return Guard([&]() -> HRESULT {
        if (cRows && (!rghRows || !rgPendingStatus))
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetUpdate::GetRowStatus");
        if (hr != S_OK)
            return hr;
        size_t ok = 0;
        for (DBCOUNTITEM i = 0; i < cRows; ++i) {
            uint32_t slot = 0;
            if (FAILED(SlotOfRow(rghRows[i], slot))) {
                rgPendingStatus[i] = DBPENDINGSTATUS_INVALIDROW;
                continue;
            }
            rgPendingStatus[i] = pending_.StatusOf(slot);
            ++ok;
        }
        return Tally(ok, cRows);
    });
}

void Rowset::ListRows(DBCOUNTITEM cRows, const HROW rghRows[], std::vector<uint32_t>& listed,
                      std::vector<DBROWSTATUS>& status) const
{
    if (cRows == 0) { // no rows named: every row with pending changes
        listed = pending_.Rows(DBPENDINGSTATUS_NEW | DBPENDINGSTATUS_CHANGED | DBPENDINGSTATUS_DELETED);
        status.assign(listed.size(), DBROWSTATUS_S_OK);
        return;
    }
    for (DBCOUNTITEM i = 0; i < cRows; ++i) {
        uint32_t slot = 0;
        const bool valid = SUCCEEDED(SlotOfRow(rghRows[i], slot));
        listed.push_back(valid ? slot : kNoSlot);
        status.push_back(valid ? DBROWSTATUS_S_OK : DBROWSTATUS_E_INVALID);
    }
}

HRESULT Rowset::ReturnRows(const std::vector<uint32_t>& slots, const std::vector<DBROWSTATUS>& statuses,
                           DBCOUNTITEM* count, HROW** rows, DBROWSTATUS** rowStatus)
{
    if (slots.empty() || !count)
        return S_OK;
    HROW* handles = nullptr;
    DBROWSTATUS* status = nullptr;
    if (rows && !(handles = static_cast<HROW*>(CoTaskMemAlloc(slots.size() * sizeof(HROW)))))
        return E_OUTOFMEMORY;
    if (rowStatus && !(status = static_cast<DBROWSTATUS*>(CoTaskMemAlloc(slots.size() * sizeof(DBROWSTATUS))))) {
        CoTaskMemFree(handles);
        return E_OUTOFMEMORY;
    }
    for (size_t i = 0; i < slots.size(); ++i) {
        if (handles)
            handles[i] = slots[i] == kNoSlot ? DB_NULL_HROW : AddRefSlot(slots[i]);
        if (status)
            status[i] = statuses[i];
    }
    *count = slots.size();
    if (rows)
        *rows = handles;
    if (rowStatus)
        *rowStatus = status;
    return S_OK;
}

STDMETHODIMP Rowset::Update(HCHAPTER, DBCOUNTITEM cRows, const HROW rghRows[], DBCOUNTITEM* pcRows, HROW** prgRows,
                            DBROWSTATUS** prgRowStatus)
{
    return Guard([&]() -> HRESULT {
        ClearReturnedRows(pcRows, prgRows, prgRowStatus);
        if (NotificationRound::IsLocked())
            return DB_E_NOTREENTRANT;
        if (cRows && !rghRows)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetUpdate::Update");
        if (hr != S_OK)
            return hr;
        std::vector<uint32_t> listed, toUpdate;
        std::vector<DBROWSTATUS> status;
        ListRows(cRows, rghRows, listed, status);
        for (uint32_t slot : listed)
            if (slot != kNoSlot && pending_.IsPending(slot)
                && std::find(toUpdate.begin(), toUpdate.end(), slot) == toUpdate.end())
                toUpdate.push_back(slot);
        if (!toUpdate.empty()) {
            NotificationRound round;
            round.Add(table_->RecordsSender(DBREASON_ROW_UPDATE, toUpdate));
            hr = round.Run([&]() -> HRESULT {
                for (uint32_t slot : toUpdate)
                    ClearPending(slot);
                return S_OK;
            });
            if (FAILED(hr))
                for (size_t i = 0; i < listed.size(); ++i)
                    if (std::find(toUpdate.begin(), toUpdate.end(), listed[i]) != toUpdate.end())
                        status[i] = FailedRowStatus(hr);
        }
        hr = ReturnRows(listed, status, pcRows, prgRows, prgRowStatus);
        return FAILED(hr) ? hr : Tally(status);
    });
}

STDMETHODIMP Rowset::Undo(HCHAPTER, DBCOUNTITEM cRows, const HROW rghRows[], DBCOUNTITEM* pcRowsUndone,
                          HROW** prgRowsUndone, DBROWSTATUS** prgRowStatus)
{
    return Guard([&]() -> HRESULT {
        ClearReturnedRows(pcRowsUndone, prgRowsUndone, prgRowStatus);
        if (NotificationRound::IsLocked())
            return DB_E_NOTREENTRANT;
        if (cRows && !rghRows)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetUpdate::Undo");
        if (hr != S_OK)
            return hr;
        std::vector<uint32_t> listed;
        std::vector<DBROWSTATUS> status;
        ListRows(cRows, rghRows, listed, status);
        std::vector<uint32_t> changed, inserted, deleted;
        for (uint32_t slot : listed) {
            if (slot == kNoSlot)
                continue;
            std::vector<uint32_t>* kind = nullptr;
            switch (pending_.StatusOf(slot)) {
            case DBPENDINGSTATUS_CHANGED: kind = &changed; break;
            case DBPENDINGSTATUS_NEW: kind = &inserted; break;
            case DBPENDINGSTATUS_DELETED: kind = &deleted; break;
            default: break;
            }
            if (kind && std::find(kind->begin(), kind->end(), slot) == kind->end())
                kind->push_back(slot);
        }
        NotificationRound round;
        if (!changed.empty())
            round.Add(table_->RecordsSender(DBREASON_ROW_UNDOCHANGE, changed));
        if (!inserted.empty())
            round.Add(table_->RecordsSender(DBREASON_ROW_UNDOINSERT, inserted));
        if (!deleted.empty())
            round.Add(table_->RecordsSender(DBREASON_ROW_UNDODELETE, deleted));
        if (!round.Empty()) {
            hr = round.Run([&]() -> HRESULT {
                auto restore = [&](uint32_t slot) {
                    if (const std::vector<CellValue>* originals = pending_.Originals(slot))
                        for (size_t f = 0; f < originals->size(); ++f)
                            if (table_->FieldAt(f).Type() != FieldType::Chapter)
                                table_->SetCell(slot, f, (*originals)[f]);
                };
                for (uint32_t slot : changed)
                    restore(slot);
                for (uint32_t slot : inserted)
                    table_->Unlink(slot);
                for (uint32_t slot : deleted) {
                    restore(slot);
                    table_->Link(slot);
                }
                for (const auto* kind : {&changed, &inserted, &deleted})
                    for (uint32_t slot : *kind)
                        ClearPending(slot);
                return S_OK;
            });
            if (FAILED(hr))
                for (size_t i = 0; i < listed.size(); ++i)
                    if (status[i] == DBROWSTATUS_S_OK)
                        status[i] = FailedRowStatus(hr);
        }
        hr = ReturnRows(listed, status, pcRowsUndone, prgRowsUndone, prgRowStatus);
        return FAILED(hr) ? hr : Tally(status);
    });
}

} // namespace hv::recordset
