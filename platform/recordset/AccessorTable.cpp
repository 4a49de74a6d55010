// Accessor creation and bookkeeping.
#include "AccessorTable.h"

#include "ValueConverter.h"

#include <oledberr.h>

#include <cstring>
#include <new>

namespace hv::recordset {

namespace {

DBBINDSTATUS Check(const DBBINDING& b, const std::vector<DBTYPE>& columnTypes)
{
    if (b.iOrdinal >= columnTypes.size())
        return DBBINDSTATUS_BADORDINAL;
    const DWORD parts = DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS;
    if (b.dwPart == 0 || (b.dwPart & ~parts) != 0 || b.pObject || b.pBindExt)
        return DBBINDSTATUS_BADBINDINFO;
    if (b.dwMemOwner != DBMEMOWNER_CLIENTOWNED && b.dwMemOwner != DBMEMOWNER_PROVIDEROWNED)
        return DBBINDSTATUS_BADBINDINFO;
    if (b.dwMemOwner == DBMEMOWNER_PROVIDEROWNED)
        return DBBINDSTATUS_BADBINDINFO; // no provider-owned memory is handed out
    if (!ValueConverter::CanConvert(columnTypes[b.iOrdinal], b.wType))
        return DBBINDSTATUS_UNSUPPORTEDCONVERSION;
    return DBBINDSTATUS_OK;
}

} // namespace

HRESULT AccessorTable::Create(DBACCESSORFLAGS flags, DBCOUNTITEM count, const DBBINDING bindings[],
                              DBLENGTH rowSize, const std::vector<DBTYPE>& columnTypes, HACCESSOR* accessor,
                              DBBINDSTATUS status[])
{
    if (!accessor || (count && !bindings))
        return E_INVALIDARG;
    *accessor = DB_NULL_HACCESSOR;
    if (flags & DBACCESSOR_PASSBYREF)
        return DB_E_BYREFACCESSORNOTSUPPORTED;
    const DBACCESSORFLAGS known = DBACCESSOR_ROWDATA | DBACCESSOR_PARAMETERDATA | DBACCESSOR_OPTIMIZED
                                  | DBACCESSOR_INHERITED;
    if ((flags & ~known) || !(flags & DBACCESSOR_ROWDATA) || (flags & DBACCESSOR_PARAMETERDATA))
        return DB_E_BADACCESSORFLAGS;
    bool failed = false;
    for (DBCOUNTITEM i = 0; i < count; ++i) {
        const DBBINDSTATUS s = Check(bindings[i], columnTypes);
        if (status)
            status[i] = s;
        failed = failed || s != DBBINDSTATUS_OK;
    }
    if (failed)
        return DB_E_ERRORSOCCURRED;
    try {
        Accessor a;
        a.flags = flags;
        a.bindings.assign(bindings, bindings + count);
        a.rowSize = rowSize;
        const HACCESSOR h = next_++;
        accessors_.emplace(h, std::move(a));
        *accessor = h;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

const AccessorTable::Accessor* AccessorTable::Find(HACCESSOR accessor) const
{
    auto it = accessors_.find(accessor);
    return it == accessors_.end() ? nullptr : &it->second;
}

HRESULT AccessorTable::AddRef(HACCESSOR accessor, DBREFCOUNT* count)
{
    auto it = accessors_.find(accessor);
    if (it == accessors_.end())
        return DB_E_BADACCESSORHANDLE;
    ++it->second.refs;
    if (count)
        *count = it->second.refs;
    return S_OK;
}

HRESULT AccessorTable::Release(HACCESSOR accessor, DBREFCOUNT* count)
{
    auto it = accessors_.find(accessor);
    if (it == accessors_.end())
        return DB_E_BADACCESSORHANDLE;
    const DBREFCOUNT left = --it->second.refs;
    if (count)
        *count = left;
    if (left == 0)
        accessors_.erase(it);
    return S_OK;
}

HRESULT AccessorTable::GetBindings(HACCESSOR accessor, DBACCESSORFLAGS* flags, DBCOUNTITEM* count,
                                   DBBINDING** bindings) const
{
    if (!flags || !count || !bindings)
        return E_INVALIDARG;
    *count = 0;
    *bindings = nullptr;
    const Accessor* a = Find(accessor);
    if (!a)
        return DB_E_BADACCESSORHANDLE;
    *flags = a->flags;
    if (a->bindings.empty())
        return S_OK;
    const size_t bytes = a->bindings.size() * sizeof(DBBINDING);
    *bindings = static_cast<DBBINDING*>(CoTaskMemAlloc(bytes));
    if (!*bindings)
        return E_OUTOFMEMORY;
    std::memcpy(*bindings, a->bindings.data(), bytes);
    *count = a->bindings.size();
    return S_OK;
}

} // namespace hv::recordset
