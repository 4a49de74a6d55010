// The fields collection of the scriptable recordset.
#include "ScriptFields.h"

#include "FieldIndex.h"
#include "ScriptField.h"
#include "ScriptRecordset.h"

namespace hv::recordset::server {

ScriptFields::ScriptFields(ComRef<ScriptRecordset> owner) : owner_(std::move(owner)) {}

HRESULT ScriptFields::Create(ComRef<ScriptRecordset> owner, IHvRecordsetFields** fields)
{
    try {
        *fields = new ScriptFields(std::move(owner));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP ScriptFields::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = owner_->Native().FieldCount();
    return S_OK;
}

STDMETHODIMP ScriptFields::get_Item(VARIANT index, IHvRecordsetField** field)
{
    if (!field)
        return E_POINTER;
    *field = nullptr;
    return Guarded(IID_IHvRecordsetFields, [&] {
        FieldIndex found;
        HRESULT hr = ResolveField(owner_->Native(), index, found);
        if (SUCCEEDED(hr))
            hr = ScriptField::Create(owner_, found.position, field);
        return server::Checked(hr, IID_IHvRecordsetFields, found.label);
    });
}

STDMETHODIMP ScriptFields::Append(BSTR name, LONG type, LONG definedSize, LONG attributes)
{
    return Guarded(IID_IHvRecordsetFields, [&] {
        if (type != static_cast<LONG>(FieldType::Double) && type != static_cast<LONG>(FieldType::WideString))
            return Fail(kInvalidArgument, L"Field type " + std::to_wstring(type)
                                              + L" is not supported: use 5 (double) or 8 (wide string).");
        const std::wstring text(name ? name : L"", SysStringLen(name));
        return server::Checked(owner_->Native().AppendField(text, static_cast<FieldType>(type), definedSize, attributes),
                               IID_IHvRecordsetFields);
    });
}

} // namespace hv::recordset::server
