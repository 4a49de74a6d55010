// ScriptFields: the fields collection of a scriptable recordset: its count,
// its items by name or position, and Append before the recordset opens.
#pragma once

#include "DispatchObject.h"

#include <HvRecordset.h>

namespace hv::recordset::server {

class ScriptRecordset;

class ScriptFields final : public DispatchObject<IHvRecordsetFields> {
public:
    static HRESULT Create(ComRef<ScriptRecordset> owner, IHvRecordsetFields** fields);

    // IHvRecordsetFields
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, IHvRecordsetField** field) override;
    STDMETHODIMP Append(BSTR name, LONG type, LONG definedSize, LONG attributes) override;

private:
    explicit ScriptFields(ComRef<ScriptRecordset> owner);

    ComRef<ScriptRecordset> owner_;
};

} // namespace hv::recordset::server
