// Helpers shared by the sources of the rowset (Rowset.cpp and
// RowsetChanges.cpp): the exception guard of its COM methods, bookmark
// reading and the answers of calls that treat several rows.
#pragma once

#include <oledb.h>
#include <oledberr.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace hv::recordset::rowset_detail {

template <class F>
HRESULT Guard(F&& f) noexcept
{
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// Bookmarks are the 4-byte handle number of a row (its slot + 1).
inline bool ReadBookmark(DBBKMARK size, const BYTE* bookmark, uint32_t& slot)
{
    if (size != sizeof(ULONG) || !bookmark)
        return false;
    ULONG value;
    std::memcpy(&value, bookmark, sizeof value);
    if (value == 0)
        return false;
    slot = value - 1;
    return true;
}

// Answer for a call that treated several items: all, some or none succeeded.
inline HRESULT Tally(size_t ok, size_t total)
{
    if (ok == total)
        return S_OK;
    return ok ? DB_S_ERRORSOCCURRED : DB_E_ERRORSOCCURRED;
}

inline HRESULT Tally(const std::vector<DBROWSTATUS>& statuses)
{
    size_t ok = 0;
    for (DBROWSTATUS s : statuses)
        ok += s == DBROWSTATUS_S_OK ? 1 : 0;
    return Tally(ok, statuses.size());
}

// The status of a row whose change a failed notification round undid.
inline DBROWSTATUS FailedRowStatus(HRESULT hr)
{
    return hr == DB_E_CANCELED ? DBROWSTATUS_E_CANCELED : DBROWSTATUS_E_FAIL;
}

} // namespace hv::recordset::rowset_detail
