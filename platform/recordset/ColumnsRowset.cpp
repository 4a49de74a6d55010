// The columns rowset: a fixed table of VARIANTs read forward.
#include "ColumnsRowset.h"

#include "RecordsetIds.h"
#include "RowsetSupport.h"

#include <oledberr.h>

#include <cstring>

namespace hv::recordset {

using namespace rowset_detail;

HRESULT ColumnsRowset::Create(std::vector<Column> columns, std::vector<std::vector<Value>> rows, REFIID iid,
                              IUnknown** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        auto* rowset = new ColumnsRowset(std::move(columns), std::move(rows));
        const HRESULT hr = rowset->QueryInterface(iid, reinterpret_cast<void**>(out));
        rowset->Release();
        return hr;
    });
}

ColumnsRowset::ColumnsRowset(std::vector<Column> columns, std::vector<std::vector<Value>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)), rowRefs_(rows_.size(), 0)
{
}

STDMETHODIMP ColumnsRowset::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRowset))
        *out = static_cast<IRowset*>(this);
    else if (IsEqualIID(iid, IID_IAccessor))
        *out = static_cast<IAccessor*>(this);
    else if (IsEqualIID(iid, IID_IColumnsInfo))
        *out = static_cast<IColumnsInfo*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ColumnsRowset::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) ColumnsRowset::Release()
{
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

long ColumnsRowset::RowOf(HROW row) const
{
    const ULONG_PTR index = static_cast<ULONG_PTR>(row);
    if (index == 0 || index > rows_.size() || rowRefs_[index - 1] == 0)
        return -1;
    return static_cast<long>(index - 1);
}

// ---- IRowset ---------------------------------------------------------------

STDMETHODIMP ColumnsRowset::AddRefRows(DBCOUNTITEM cRows, const HROW rghRows[], DBREFCOUNT rgRefCounts[],
                                       DBROWSTATUS rgRowStatus[])
{
    if (cRows && !rghRows)
        return E_INVALIDARG;
    size_t ok = 0;
    for (DBCOUNTITEM i = 0; i < cRows; ++i) {
        const long row = RowOf(rghRows[i]);
        if (row >= 0)
            ++rowRefs_[static_cast<size_t>(row)];
        if (rgRefCounts)
            rgRefCounts[i] = row >= 0 ? rowRefs_[static_cast<size_t>(row)] : 0;
        if (rgRowStatus)
            rgRowStatus[i] = row >= 0 ? DBROWSTATUS_S_OK : DBROWSTATUS_E_INVALID;
        ok += row >= 0 ? 1 : 0;
    }
    return Tally(ok, cRows);
}

STDMETHODIMP ColumnsRowset::ReleaseRows(DBCOUNTITEM cRows, const HROW rghRows[], DBROWOPTIONS[],
                                        DBREFCOUNT rgRefCounts[], DBROWSTATUS rgRowStatus[])
{
    if (cRows && !rghRows)
        return E_INVALIDARG;
    size_t ok = 0;
    for (DBCOUNTITEM i = 0; i < cRows; ++i) {
        const long row = RowOf(rghRows[i]);
        if (row >= 0)
            --rowRefs_[static_cast<size_t>(row)];
        if (rgRefCounts)
            rgRefCounts[i] = row >= 0 ? rowRefs_[static_cast<size_t>(row)] : 0;
        if (rgRowStatus)
            rgRowStatus[i] = row >= 0 ? DBROWSTATUS_S_OK : DBROWSTATUS_E_INVALID;
        ok += row >= 0 ? 1 : 0;
    }
    return Tally(ok, cRows);
}

STDMETHODIMP ColumnsRowset::GetNextRows(HCHAPTER, DBROWOFFSET lRowsOffset, DBROWCOUNT cRows,
                                        DBCOUNTITEM* pcRowsObtained, HROW** prghRows)
{
    if (!pcRowsObtained || !prghRows)
        return E_INVALIDARG;
    *pcRowsObtained = 0;
    if (lRowsOffset < 0 || cRows < 0)
        return DB_E_CANTSCROLLBACKWARDS;
    size_t start = next_ + static_cast<size_t>(lRowsOffset);
    if (start > rows_.size())
        start = rows_.size();
    size_t count = rows_.size() - start;
    if (count > static_cast<size_t>(cRows))
        count = static_cast<size_t>(cRows);
    if (count == 0)
        return DB_S_ENDOFROWSET;
    if (!*prghRows) {
        *prghRows = static_cast<HROW*>(CoTaskMemAlloc(count * sizeof(HROW)));
        if (!*prghRows)
            return E_OUTOFMEMORY;
    }
    for (size_t i = 0; i < count; ++i) {
        ++rowRefs_[start + i];
        (*prghRows)[i] = static_cast<HROW>(start + i + 1);
    }
    next_ = start + count;
    *pcRowsObtained = count;
    return count < static_cast<size_t>(cRows) ? DB_S_ENDOFROWSET : S_OK;
}

STDMETHODIMP ColumnsRowset::RestartPosition(HCHAPTER)
{
    next_ = 0;
    return S_OK;
}

DBSTATUS ColumnsRowset::WriteValue(const DBBINDING& binding, const VARIANT& value, BYTE* data) const
{
    if (value.vt == VT_EMPTY || value.vt == VT_NULL)
        return DBSTATUS_S_ISNULL;
    VARIANT* source = const_cast<VARIANT*>(&value);
    const DBTYPE type = binding.wType & ~DBTYPE_BYREF;
    BYTE* target = data + binding.obValue;
    const bool wantsValue = (binding.dwPart & DBPART_VALUE) != 0;
    DBLENGTH length = 0;
    VARIANT converted;
    VariantInit(&converted);
    DBSTATUS status = DBSTATUS_S_OK;
    switch (type) {
    case DBTYPE_WSTR:
        if (FAILED(VariantChangeType(&converted, source, 0, VT_BSTR)))
            return DBSTATUS_E_CANTCONVERTVALUE;
        length = SysStringLen(converted.bstrVal) * sizeof(wchar_t);
        if (wantsValue && binding.cbMaxLen >= sizeof(wchar_t)) {
            DBLENGTH copied = length;
            if (copied + sizeof(wchar_t) > binding.cbMaxLen) {
                copied = (binding.cbMaxLen / sizeof(wchar_t) - 1) * sizeof(wchar_t);
                status = DBSTATUS_S_TRUNCATED;
            }
            std::memcpy(target, converted.bstrVal, copied);
            reinterpret_cast<wchar_t*>(target)[copied / sizeof(wchar_t)] = L'\0';
        }
        break;
    case DBTYPE_I4:
    case DBTYPE_UI4:
    case DBTYPE_BOOL: {
        const VARTYPE vt = type == DBTYPE_I4 ? VT_I4 : type == DBTYPE_UI4 ? VT_UI4 : VT_BOOL;
        if (FAILED(VariantChangeType(&converted, source, 0, vt)))
            return DBSTATUS_E_CANTCONVERTVALUE;
        length = type == DBTYPE_BOOL ? sizeof(VARIANT_BOOL) : sizeof(LONG);
        if (wantsValue)
            std::memcpy(target, type == DBTYPE_BOOL ? static_cast<const void*>(&converted.boolVal)
                                                    : static_cast<const void*>(&converted.lVal),
                        length);
        break;
    }
    case DBTYPE_VARIANT:
        length = sizeof(VARIANT);
        if (wantsValue) {
            VariantInit(reinterpret_cast<VARIANT*>(target));
            VariantCopy(reinterpret_cast<VARIANT*>(target), source);
        }
        break;
    default:
        return DBSTATUS_E_CANTCONVERTVALUE;
    }
    VariantClear(&converted);
    if (binding.dwPart & DBPART_LENGTH)
        *reinterpret_cast<DBLENGTH*>(data + binding.obLength) = length;
    return status;
}

STDMETHODIMP ColumnsRowset::GetData(HROW hRow, HACCESSOR hAccessor, void* pData)
{
    const long row = RowOf(hRow);
    if (row < 0)
        return DB_E_BADROWHANDLE;
    const auto found = accessors_.find(hAccessor);
    if (found == accessors_.end())
        return DB_E_BADACCESSORHANDLE;
    if (!pData)
        return found->second.bindings.empty() ? S_OK : E_INVALIDARG;
    BYTE* data = static_cast<BYTE*>(pData);
    size_t ok = 0;
    for (const DBBINDING& binding : found->second.bindings) {
        const VARIANT& value = rows_[static_cast<size_t>(row)][binding.iOrdinal - 1].v;
        const DBSTATUS status = WriteValue(binding, value, data);
        if (binding.dwPart & DBPART_STATUS)
            *reinterpret_cast<DBSTATUS*>(data + binding.obStatus) = status;
        ok += status == DBSTATUS_E_CANTCONVERTVALUE ? 0 : 1;
    }
    return ok == found->second.bindings.size() ? S_OK
                                               : ok ? DB_S_ERRORSOCCURRED : DB_E_ERRORSOCCURRED;
}

// ---- IAccessor -------------------------------------------------------------

STDMETHODIMP ColumnsRowset::AddRefAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount)
{
    const auto found = accessors_.find(hAccessor);
    if (found == accessors_.end())
        return DB_E_BADACCESSORHANDLE;
    ++found->second.refs;
    if (pcRefCount)
        *pcRefCount = found->second.refs;
    return S_OK;
}

STDMETHODIMP ColumnsRowset::CreateAccessor(DBACCESSORFLAGS dwAccessorFlags, DBCOUNTITEM cBindings,
                                           const DBBINDING rgBindings[], DBLENGTH, HACCESSOR* phAccessor,
                                           DBBINDSTATUS rgStatus[])
{
    if (!phAccessor || (cBindings && !rgBindings))
        return E_INVALIDARG;
    *phAccessor = 0;
    if (!(dwAccessorFlags & DBACCESSOR_ROWDATA))
        return DB_E_BADACCESSORFLAGS;
    return Guard([&] {
        bool bad = false;
        for (DBCOUNTITEM i = 0; i < cBindings; ++i) {
            const bool valid = rgBindings[i].iOrdinal >= 1 && rgBindings[i].iOrdinal <= columns_.size();
            if (rgStatus)
                rgStatus[i] = valid ? DBBINDSTATUS_OK : DBBINDSTATUS_BADORDINAL;
            bad = bad || !valid;
        }
        if (bad)
            return DB_E_ERRORSOCCURRED;
        Accessor accessor;
        accessor.bindings.assign(rgBindings, rgBindings + cBindings);
        const HACCESSOR handle = nextAccessor_++;
        accessors_.emplace(handle, std::move(accessor));
        *phAccessor = handle;
        return S_OK;
    });
}

STDMETHODIMP ColumnsRowset::GetBindings(HACCESSOR hAccessor, DBACCESSORFLAGS* pdwAccessorFlags,
                                        DBCOUNTITEM* pcBindings, DBBINDING** prgBindings)
{
    if (!pdwAccessorFlags || !pcBindings || !prgBindings)
        return E_INVALIDARG;
    const auto found = accessors_.find(hAccessor);
    if (found == accessors_.end())
        return DB_E_BADACCESSORHANDLE;
    const size_t count = found->second.bindings.size();
    *pdwAccessorFlags = DBACCESSOR_ROWDATA;
    *pcBindings = count;
    *prgBindings = static_cast<DBBINDING*>(CoTaskMemAlloc(count ? count * sizeof(DBBINDING) : 1));
    if (!*prgBindings)
        return E_OUTOFMEMORY;
    if (count)
        std::memcpy(*prgBindings, found->second.bindings.data(), count * sizeof(DBBINDING));
    return S_OK;
}

STDMETHODIMP ColumnsRowset::ReleaseAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount)
{
    const auto found = accessors_.find(hAccessor);
    if (found == accessors_.end())
        return DB_E_BADACCESSORHANDLE;
    const DBREFCOUNT left = --found->second.refs;
    if (left == 0)
        accessors_.erase(found);
    if (pcRefCount)
        *pcRefCount = left;
    return S_OK;
}

// ---- IColumnsInfo ----------------------------------------------------------

STDMETHODIMP ColumnsRowset::GetColumnInfo(DBORDINAL* pcColumns, DBCOLUMNINFO** prgInfo, OLECHAR** ppStringsBuffer)
{
    if (!pcColumns || !prgInfo || !ppStringsBuffer)
        return E_INVALIDARG;
    *pcColumns = 0;
    *prgInfo = nullptr;
    *ppStringsBuffer = nullptr;
    const size_t n = columns_.size();
    auto* info = static_cast<DBCOLUMNINFO*>(CoTaskMemAlloc(n ? n * sizeof(DBCOLUMNINFO) : 1));
    if (!info)
        return E_OUTOFMEMORY;
    std::memset(info, 0, n * sizeof(DBCOLUMNINFO));
    for (size_t i = 0; i < n; ++i) {
        info[i].iOrdinal = i + 1;
        info[i].wType = columns_[i].type;
        info[i].ulColumnSize = columns_[i].type == DBTYPE_WSTR ? 256 : columns_[i].type == DBTYPE_BOOL ? 2 : 4;
        info[i].dwFlags = DBCOLUMNFLAGS_ISNULLABLE | DBCOLUMNFLAGS_MAYBENULL;
        info[i].bPrecision = 0xFF;
        info[i].bScale = 0xFF;
        info[i].columnid.eKind = DBKIND_GUID_PROPID;
        info[i].columnid.uGuid.guid = kColumnAttributes;
        info[i].columnid.uName.ulPropid = columns_[i].propid;
    }
    *pcColumns = n;
    *prgInfo = info;
    return S_OK;
}

STDMETHODIMP ColumnsRowset::MapColumnIDs(DBORDINAL cColumnIDs, const DBID rgColumnIDs[], DBORDINAL rgColumns[])
{
    if (cColumnIDs && (!rgColumnIDs || !rgColumns))
        return E_INVALIDARG;
    size_t found = 0;
    for (DBORDINAL i = 0; i < cColumnIDs; ++i) {
        const DBID& id = rgColumnIDs[i];
        rgColumns[i] = DB_INVALIDCOLUMN;
        if (id.eKind != DBKIND_GUID_PROPID || !IsEqualGUID(id.uGuid.guid, kColumnAttributes))
            continue;
        for (size_t c = 0; c < columns_.size(); ++c)
            if (columns_[c].propid == id.uName.ulPropid)
                rgColumns[i] = c + 1;
        found += rgColumns[i] != DB_INVALIDCOLUMN ? 1 : 0;
    }
    return Tally(found, cColumnIDs);
}

} // namespace hv::recordset
