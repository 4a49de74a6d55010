// One field of the scriptable recordset.
#include "ScriptField.h"

#include "ScriptRecordset.h"

namespace hv::recordset::server {

ScriptField::ScriptField(ComRef<ScriptRecordset> owner, long position)
    : owner_(std::move(owner)), position_(position)
{
}

HRESULT ScriptField::Create(ComRef<ScriptRecordset> owner, long position, IHvRecordsetField** field)
{
    try {
        *field = new ScriptField(std::move(owner), position);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

const Field& ScriptField::Definition() const
{
    // Fields are only ever appended, so the position stays valid.
    return owner_->Native().GetTable()->FieldAt(static_cast<size_t>(position_));
}

VARIANT ScriptField::Position() const
{
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = position_;
    return index;
}

STDMETHODIMP ScriptField::get_Value(VARIANT* value)
{
    return owner_->GetFieldValue(Position(), value);
}

STDMETHODIMP ScriptField::put_Value(VARIANT value)
{
    return owner_->SetFieldValue(Position(), value);
}

STDMETHODIMP ScriptField::get_Name(BSTR* name)
{
    if (!name)
        return E_POINTER;
    const std::wstring& text = Definition().Name();
    *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *name ? S_OK : server::Checked(E_OUTOFMEMORY, IID_IHvRecordsetField);
}

STDMETHODIMP ScriptField::get_Type(LONG* type)
{
    if (!type)
        return E_POINTER;
    *type = static_cast<LONG>(Definition().Type());
    return S_OK;
}

STDMETHODIMP ScriptField::get_DefinedSize(LONG* size)
{
    if (!size)
        return E_POINTER;
    *size = Definition().DefinedSize();
    return S_OK;
}

STDMETHODIMP ScriptField::get_Attributes(LONG* attributes)
{
    if (!attributes)
        return E_POINTER;
    *attributes = Definition().Attributes();
    return S_OK;
}

} // namespace hv::recordset::server
