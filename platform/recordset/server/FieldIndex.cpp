// Resolution of a script's field index.
#include "FieldIndex.h"

#include "../RecordsetErrors.h"

namespace hv::recordset::server {

namespace {

// Owns a VARIANT for the scope.
struct Value {
    VARIANT v;
    Value() { VariantInit(&v); }
    ~Value() { VariantClear(&v); }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;
};

} // namespace

HRESULT ResolveField(const Recordset& recordset, const VARIANT& index, FieldIndex& field)
{
    Value in;
    HRESULT hr = VariantCopyInd(&in.v, const_cast<VARIANT*>(&index));
    if (FAILED(hr))
        return hr;
    if (in.v.vt == VT_BSTR) {
        const std::wstring name(in.v.bstrVal ? in.v.bstrVal : L"", SysStringLen(in.v.bstrVal));
        field.label = L"\"" + name + L"\"";
        const size_t found = recordset.GetTable()->FindField(name);
        if (found == Table::npos)
            return kItemNotFound;
        field.position = static_cast<long>(found);
        return S_OK;
    }
    Value number;
    if (in.v.vt == VT_EMPTY || in.v.vt == VT_NULL || FAILED(VariantChangeType(&number.v, &in.v, 0, VT_I4))) {
        field.label = L"for that index";
        return kItemNotFound;
    }
    field.label = L"at index " + std::to_wstring(number.v.lVal);
    if (number.v.lVal < 0 || number.v.lVal >= recordset.FieldCount())
        return kItemNotFound;
    field.position = number.v.lVal;
    return S_OK;
}

} // namespace hv::recordset::server
