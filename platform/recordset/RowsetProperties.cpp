// Property sets of a rowset.
#include "RowsetProperties.h"

#include "RecordsetIds.h"

#include <oledberr.h>

namespace hv::recordset {

namespace {

void Fill(DBPROP& p, DBPROPID id, const RowsetProperties::Value* v)
{
    p = DBPROP{};
    p.dwPropertyID = id;
    p.dwOptions = DBPROPOPTIONS_REQUIRED;
    p.colid = DBID{}; // the null column id
    VariantInit(&p.vValue);
    if (!v) {
        p.dwStatus = DBPROPSTATUS_NOTSUPPORTED;
        return;
    }
    p.dwStatus = DBPROPSTATUS_OK;
    p.vValue.vt = v->vt;
    if (v->vt == VT_BOOL)
        p.vValue.boolVal = v->value ? VARIANT_TRUE : VARIANT_FALSE;
    else
        p.vValue.lVal = v->value;
}

const RowsetProperties::Value* Find(const std::vector<RowsetProperties::Value>& values, DBPROPID id)
{
    for (const auto& v : values)
        if (v.id == id)
            return &v;
    return nullptr;
}

void FreeSets(DBPROPSET* sets, ULONG count)
{
    for (ULONG i = 0; i < count; ++i)
        CoTaskMemFree(sets[i].rgProperties);
    CoTaskMemFree(sets);
}

} // namespace

HRESULT RowsetProperties::Answer(const std::vector<Value>& values, ULONG setCount, const DBPROPIDSET sets[],
                                 ULONG* outCount, DBPROPSET** outSets)
{
    if (outCount)
        *outCount = 0;
    if (outSets)
        *outSets = nullptr;
    if (!outCount || !outSets || (setCount && !sets))
        return E_INVALIDARG;
    for (ULONG i = 0; i < setCount; ++i)
        if (sets[i].cPropertyIDs && !sets[i].rgPropertyIDs)
            return E_INVALIDARG;

    const ULONG n = setCount ? setCount : 1;
    DBPROPSET* result = static_cast<DBPROPSET*>(CoTaskMemAlloc(n * sizeof(DBPROPSET)));
    if (!result)
        return E_OUTOFMEMORY;
    ULONG ok = 0, failed = 0;
    for (ULONG i = 0; i < n; ++i) {
        DBPROPSET& out = result[i];
        out.guidPropertySet = setCount ? sets[i].guidPropertySet : kPropsetRowset;
        const bool ours = IsEqualGUID(out.guidPropertySet, kPropsetRowset);
        const bool all = !setCount || sets[i].cPropertyIDs == 0;
        out.cProperties = all ? (ours ? static_cast<ULONG>(values.size()) : 0) : sets[i].cPropertyIDs;
        out.rgProperties = nullptr;
        if (out.cProperties == 0)
            continue;
        out.rgProperties = static_cast<DBPROP*>(CoTaskMemAlloc(out.cProperties * sizeof(DBPROP)));
        if (!out.rgProperties) {
            FreeSets(result, i);
            return E_OUTOFMEMORY;
        }
        for (ULONG j = 0; j < out.cProperties; ++j) {
            const DBPROPID id = all ? values[j].id : sets[i].rgPropertyIDs[j];
            const Value* v = ours ? Find(values, id) : nullptr;
            Fill(out.rgProperties[j], id, v);
            (v ? ok : failed)++;
        }
    }
    *outCount = n;
    *outSets = result;
    if (failed == 0)
        return S_OK;
    return ok ? DB_S_ERRORSOCCURRED : DB_E_ERRORSOCCURRED;
}

} // namespace hv::recordset
