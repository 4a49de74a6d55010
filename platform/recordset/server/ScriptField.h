// ScriptField: one field of a scriptable recordset, read and written at the
// recordset's current record.
#pragma once

#include "DispatchObject.h"

#include "../Field.h"

#include <HvRecordset.h>

namespace hv::recordset::server {

class ScriptRecordset;

class ScriptField final : public DispatchObject<IHvRecordsetField> {
public:
    static HRESULT Create(ComRef<ScriptRecordset> owner, long position, IHvRecordsetField** field);

    // IHvRecordsetField
    STDMETHODIMP get_Value(VARIANT* value) override;
    STDMETHODIMP put_Value(VARIANT value) override;
    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP get_Type(LONG* type) override;
    STDMETHODIMP get_DefinedSize(LONG* size) override;
    STDMETHODIMP get_Attributes(LONG* attributes) override;

private:
    ScriptField(ComRef<ScriptRecordset> owner, long position);
    const Field& Definition() const;
    VARIANT Position() const;

    ComRef<ScriptRecordset> owner_;
    long position_;
};

} // namespace hv::recordset::server
