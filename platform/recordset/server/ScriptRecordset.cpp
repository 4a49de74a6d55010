// The scriptable recordset's operations over the in-memory recordset.
#include "ScriptRecordset.h"

#include "FieldIndex.h"
#include "ScriptFields.h"

#include "../RecordsetErrors.h"
#include "../RecordsetIds.h"

namespace hv::recordset::server {

namespace {

// Answers only to the objects of this module: the scriptable recordset
// behind an IDispatch a script passes in.
const IID kIidScriptRecordset = {0x2f0d8b4e, 0x6a1c, 0x4d55, {0x9e, 0x31, 0x7b, 0x52, 0x0c, 0x8a, 0x44, 0x19}};

bool IsMissing(const VARIANT& value)
{
    const VARIANT* v = &value;
    if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    return v->vt == VT_EMPTY || v->vt == VT_NULL || (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND);
}

} // namespace

ScriptRecordset::ScriptRecordset(std::unique_ptr<Recordset> native) : native_(std::move(native)) {}

HRESULT ScriptRecordset::Create(std::unique_ptr<Recordset> native, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    try {
        if (!native)
            native = std::make_unique<Recordset>();
        ComRef<ScriptRecordset> object(new ScriptRecordset(std::move(native)), false);
        return object->QueryInterface(iid, out);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ScriptRecordset::FromUnknown(IUnknown* object, ScriptRecordset** recordset)
{
    if (!recordset)
        return E_POINTER;
    *recordset = nullptr;
    if (!object)
        return E_POINTER;
    return object->QueryInterface(kIidScriptRecordset, reinterpret_cast<void**>(recordset));
}

HRESULT ScriptRecordset::QueryOther(REFIID iid, void** out)
{
    if (iid == kIidScriptRecordset) {
        AddRef();
        *out = this;
        return S_OK;
    }
    if (iid == kIidDataSource) {
        // The data source over these records, made on first request; a
        // closed recordset has none.
        ComRef<IUnknown> source;
        if (FAILED(native_->GetDataSource(source.Put())))
            return E_NOINTERFACE;
        return source->QueryInterface(iid, out);
    }
    return E_NOINTERFACE;
}

HRESULT ScriptRecordset::Checked(HRESULT hr, std::wstring_view field)
{
    return server::Checked(hr, IID_IHvRecordset, field);
}

STDMETHODIMP ScriptRecordset::get_Fields(IHvRecordsetFields** fields)
{
    if (!fields)
        return E_POINTER;
    *fields = nullptr;
    return Checked(ScriptFields::Create(ComRef<ScriptRecordset>(this), fields));
}

STDMETHODIMP ScriptRecordset::Open(VARIANT source, VARIANT activeConnection, LONG, LONG, LONG)
{
    if (!IsMissing(source) || !IsMissing(activeConnection))
        return Guarded(IID_IHvRecordset, [&] {
            return Fail(kInvalidArgument, L"The recordset opens in memory: give it no source and no connection.");
        });
    return Checked(native_->Open());
}

STDMETHODIMP ScriptRecordset::Close()
{
    return Checked(native_->Close());
}

STDMETHODIMP ScriptRecordset::get_State(LONG* state)
{
    if (!state)
        return E_POINTER;
    *state = native_->State();
    return S_OK;
}

STDMETHODIMP ScriptRecordset::AddNew()
{
    return Checked(native_->AddNew());
}

STDMETHODIMP ScriptRecordset::Update()
{
    return Checked(native_->Update());
}

HRESULT ScriptRecordset::GetFieldValue(const VARIANT& index, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    VariantInit(value);
    return Guarded(IID_IHvRecordset, [&] {
        FieldIndex field;
        HRESULT hr = ResolveField(*native_, index, field);
        if (SUCCEEDED(hr))
            hr = native_->GetValue(field.position, value);
        return Checked(hr, field.label);
    });
}

HRESULT ScriptRecordset::SetFieldValue(const VARIANT& index, const VARIANT& value)
{
    return Guarded(IID_IHvRecordset, [&] {
        FieldIndex field;
        HRESULT hr = ResolveField(*native_, index, field);
        if (SUCCEEDED(hr))
            hr = native_->SetValue(field.position, value);
        return Checked(hr, field.label);
    });
}

STDMETHODIMP ScriptRecordset::get_Collect(VARIANT index, VARIANT* value)
{
    return GetFieldValue(index, value);
}

STDMETHODIMP ScriptRecordset::put_Collect(VARIANT index, VARIANT value)
{
    return SetFieldValue(index, value);
}

STDMETHODIMP ScriptRecordset::MoveFirst()
{
    return Checked(native_->MoveFirst());
}

STDMETHODIMP ScriptRecordset::MoveNext()
{
    return Checked(native_->MoveNext());
}

STDMETHODIMP ScriptRecordset::MovePrevious()
{
    return Checked(native_->MovePrevious());
}

STDMETHODIMP ScriptRecordset::MoveLast()
{
    return Checked(native_->MoveLast());
}

STDMETHODIMP ScriptRecordset::get_EOF(VARIANT_BOOL* atEnd)
{
    if (!atEnd)
        return E_POINTER;
    *atEnd = VARIANT_FALSE;
    if (!native_->State())
        return Checked(kObjectClosed);
    *atEnd = native_->IsEOF() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP ScriptRecordset::get_BOF(VARIANT_BOOL* atStart)
{
    if (!atStart)
        return E_POINTER;
    *atStart = VARIANT_FALSE;
    if (!native_->State())
        return Checked(kObjectClosed);
    *atStart = native_->IsBOF() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP ScriptRecordset::get_RecordCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = native_->RecordCount();
    return S_OK;
}

STDMETHODIMP ScriptRecordset::Clone(LONG, IHvRecordset** clone)
{
    if (!clone)
        return E_POINTER;
    *clone = nullptr;
    std::unique_ptr<Recordset> copy;
    HRESULT hr = native_->Clone(copy);
    if (SUCCEEDED(hr))
        hr = Create(std::move(copy), IID_IHvRecordset, reinterpret_cast<void**>(clone));
    return Checked(hr);
}

STDMETHODIMP ScriptRecordset::AppendChapter(BSTR name, IDispatch* child, BSTR parentKey, BSTR childKey)
{
    return Guarded(IID_IHvRecordset, [&] {
        ComRef<ScriptRecordset> children;
        if (!child || FAILED(FromUnknown(child, children.Put())))
            return Fail(kInvalidArgument, L"The child of a chapter must be an HvRecordset.Recordset.");
        const std::wstring parentName(parentKey ? parentKey : L"", SysStringLen(parentKey));
        const std::wstring childName(childKey ? childKey : L"", SysStringLen(childKey));
        if (native_->GetTable()->FindField(parentName) == Table::npos)
            return Checked(kItemNotFound, L"\"" + parentName + L"\"");
        if (children->Native().GetTable()->FindField(childName) == Table::npos)
            return Fail(kItemNotFound, L"The child recordset has no field \"" + childName + L"\".");
        const std::wstring chapter(name ? name : L"", SysStringLen(name));
        return Checked(native_->AppendChapter(chapter, children->Native(), parentName, childName));
    });
}

} // namespace hv::recordset::server
