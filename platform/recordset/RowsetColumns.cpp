// The rowset's IColumnsRowset: the extended attributes of its columns (base
// column and table names, defaults, autoincrement, case, uniqueness) as a
// rowset of their own.
#include "Rowset.h"

#include "ColumnsRowset.h"
#include "RecordsetIds.h"
#include "RowsetSupport.h"

#include <oledberr.h>

namespace hv::recordset {

using namespace rowset_detail;

namespace {

// The optional columns offered, by property number, with their types.
struct Attribute {
    ULONG propid;
    DBTYPE type;
};
constexpr Attribute kAttributes[] = {
    {10, DBTYPE_WSTR},    // base column name
    {11, DBTYPE_WSTR},    // base table name
    {12, DBTYPE_I4},      // collating sequence
    {13, DBTYPE_I4},      // compute mode
    {14, DBTYPE_VARIANT}, // default value
    {16, DBTYPE_BOOL},    // has default
    {17, DBTYPE_BOOL},    // is autoincrement
    {18, DBTYPE_BOOL},    // is case-sensitive
    {20, DBTYPE_UI4},     // is searchable
    {21, DBTYPE_BOOL},    // is unique
};

ColumnsRowset::Value Text(const std::wstring& text)
{
    ColumnsRowset::Value value;
    if (!text.empty()) {
        value.v.vt = VT_BSTR;
        value.v.bstrVal = SysAllocString(text.c_str());
        if (!value.v.bstrVal)
            throw std::bad_alloc();
    }
    return value;
}

ColumnsRowset::Value Number(VARTYPE vt, LONG number)
{
    ColumnsRowset::Value value;
    value.v.vt = vt;
    if (vt == VT_BOOL)
        value.v.boolVal = number ? VARIANT_TRUE : VARIANT_FALSE;
    else
        value.v.lVal = number;
    return value;
}

} // namespace

STDMETHODIMP Rowset::GetAvailableColumns(DBORDINAL* pcOptColumns, DBID** prgOptColumns)
{
    return Guard([&]() -> HRESULT {
        if (!pcOptColumns || !prgOptColumns)
            return E_INVALIDARG;
        *pcOptColumns = 0;
        *prgOptColumns = nullptr;
        HRESULT hr = Switches().Enter("IColumnsRowset::GetAvailableColumns");
        if (hr != S_OK)
            return hr;
        const size_t n = sizeof kAttributes / sizeof kAttributes[0];
        auto* ids = static_cast<DBID*>(CoTaskMemAlloc(n * sizeof(DBID)));
        if (!ids)
            return E_OUTOFMEMORY;
        for (size_t i = 0; i < n; ++i) {
            ids[i] = DBID{};
            ids[i].eKind = DBKIND_GUID_PROPID;
            ids[i].uGuid.guid = kColumnAttributes;
            ids[i].uName.ulPropid = kAttributes[i].propid;
        }
        *pcOptColumns = n;
        *prgOptColumns = ids;
        return S_OK;
    });
}

STDMETHODIMP Rowset::GetColumnsRowset(IUnknown* pUnkOuter, DBORDINAL cOptColumns, const DBID rgOptColumns[],
                                      REFIID riid, ULONG, DBPROPSET[], IUnknown** ppColRowset)
{
    return Guard([&]() -> HRESULT {
        if (!ppColRowset || (cOptColumns && !rgOptColumns))
            return E_INVALIDARG;
        *ppColRowset = nullptr;
        if (pUnkOuter)
            return DB_E_NOAGGREGATION;
        HRESULT hr = Switches().Enter("IColumnsRowset::GetColumnsRowset");
        if (hr != S_OK)
            return hr;
        std::vector<ColumnsRowset::Column> columns;
        for (DBORDINAL i = 0; i < cOptColumns; ++i) {
            const DBID& id = rgOptColumns[i];
            const Attribute* found = nullptr;
            for (const Attribute& a : kAttributes)
                if (id.eKind == DBKIND_GUID_PROPID && IsEqualGUID(id.uGuid.guid, kColumnAttributes) &&
                    id.uName.ulPropid == a.propid)
                    found = &a;
            if (!found)
                return DB_E_BADCOLUMNID;
            columns.push_back({found->propid, found->type});
        }
        std::vector<std::vector<ColumnsRowset::Value>> rows;
        for (size_t f = 0; f < table_->FieldCount(); ++f) {
            const Field& field = table_->FieldAt(f);
            std::vector<ColumnsRowset::Value> row;
            for (const ColumnsRowset::Column& column : columns) {
                switch (column.propid) {
                case 10: row.push_back(Text(field.Name())); break;
                case 11: row.push_back(Text(table_->BaseTableName())); break;
                case 13: row.push_back(Number(VT_I4, 2)); break;  // not computed
                case 20: row.push_back(Number(VT_I4, 4)); break;  // searchable
                case 18: row.push_back(Number(VT_BOOL, field.Type() == FieldType::WideString)); break;
                case 14: row.push_back(ColumnsRowset::Value()); break;
                default: row.push_back(Number(column.type == DBTYPE_BOOL ? VT_BOOL : VT_I4, 0)); break;
                }
            }
            rows.push_back(std::move(row));
        }
        return ColumnsRowset::Create(std::move(columns), std::move(rows), riid, ppColRowset);
    });
}

} // namespace hv::recordset
