// The variant holder: change detection, owner notice and text persistence.
#include "VariantValue.h"

#include "StreamText.h"

#include <cstring>
#include <new>

namespace {

// Bytes of the data part that a value of this type uses; 0 for types that
// carry no data. Comparing only these avoids reading stale union bytes.
std::size_t DataSize(VARTYPE type)
{
    if (type & (VT_BYREF | VT_ARRAY))
        return sizeof(void*);
    switch (type) {
    case VT_EMPTY: case VT_NULL:
        return 0;
    case VT_I1: case VT_UI1:
        return 1;
    case VT_I2: case VT_UI2: case VT_BOOL:
        return 2;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8:
        return 8;
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN:
        return sizeof(void*);
    case VT_RECORD:
        return 2 * sizeof(void*);
    default:
        return 4;
    }
}

// Same type and the same bits: a BSTR or an object is the same only when it
// is the same pointer, so an equal text in another BSTR still counts as new.
bool SameValue(const VARIANT& held, const VARIANT& value)
{
    if (held.vt != value.vt)
        return false;
    if (value.vt == VT_DECIMAL) {
        const DECIMAL& a = held.decVal;
        const DECIMAL& b = value.decVal;
        return a.scale == b.scale && a.sign == b.sign && a.Hi32 == b.Hi32 && a.Lo64 == b.Lo64;
    }
    return std::memcmp(&held.llVal, &value.llVal, DataSize(value.vt)) == 0;
}

bool IsEmptyText(const VARIANT& value)
{
    return value.vt == VT_BSTR && SysStringLen(value.bstrVal) == 0;
}

} // namespace

void CVariantValue::VariantDeleter::operator()(VARIANT* value) const noexcept
{
    VariantClear(value);
    delete value;
}

CVariantValue::HeldVariant CVariantValue::NewVariant() noexcept
{
    HeldVariant value(new (std::nothrow) VARIANT);
    if (value)
        VariantInit(value.get());
    return value;
}

CVariantValue::CVariantValue(VariantValueOwner* owner, DWORD cookie) noexcept : m_owner(owner), m_cookie(cookie)
{
}

CVariantValue::~CVariantValue() = default;

void CVariantValue::Clear() noexcept
{
    m_value.reset();
}

bool CVariantValue::IsEmpty() const noexcept
{
    return !m_value || m_value->vt == VT_EMPTY || m_value->vt == VT_NULL || m_value->vt == VT_ERROR;
}

HRESULT CVariantValue::GetValue(VARIANT* out) const noexcept
{
    if (!out)
        return E_POINTER;
    if (!m_value)
        return VariantClear(out);
    return VariantCopy(out, m_value.get());
}

HRESULT CVariantValue::SetValue(const VARIANT& value) noexcept
{
    if (!m_value) {
        m_value = NewVariant();
        if (!m_value)
            return E_OUTOFMEMORY;
    } else if (SameValue(*m_value, value)) {
        return S_OK;
    }
    const HRESULT hr = VariantCopyInd(m_value.get(), const_cast<VARIANT*>(&value));
    if (FAILED(hr) || IsEmptyText(*m_value))
        Clear();
    if (m_owner)
        m_owner->OnVariantValueChanged(m_cookie);
    return hr;
}

HRESULT CVariantValue::SetValueRef(const VARIANT* value) noexcept
{
    if (!value)
        return E_POINTER;
    return SetValue(*value);
}

HRESULT CVariantValue::Copy(const CVariantValue& other) noexcept
{
    if (&other == this)
        return S_OK;
    if (other.IsEmpty()) {
        Clear();
        return S_OK;
    }
    HeldVariant copy = NewVariant();
    if (!copy)
        return E_OUTOFMEMORY;
    const HRESULT hr = VariantCopy(copy.get(), other.m_value.get());
    if (SUCCEEDED(hr))
        m_value = std::move(copy);
    return hr;
}

HRESULT CVariantValue::ValueAsText(VARIANT& text) const noexcept
{
    VariantInit(&text);
    if (m_value->vt == VT_BSTR)
        return VariantCopy(&text, m_value.get());
    return VariantChangeTypeEx(&text, m_value.get(), LOCALE_USER_DEFAULT, VARIANT_NOVALUEPROP, VT_BSTR);
}

HRESULT CVariantValue::StoreText(BSTR text) noexcept
{
    Clear();
    if (SysStringLen(text) == 0)
        return S_OK;
    HeldVariant value = NewVariant();
    if (!value)
        return E_OUTOFMEMORY;
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocStringLen(text, SysStringLen(text));
    if (!value->bstrVal)
        return E_OUTOFMEMORY;
    m_value = std::move(value);
    return S_OK;
}

HRESULT CVariantValue::SaveToStream(IStream* stream) const noexcept
{
    if (IsEmpty())
        return WriteBstrToStream(stream, nullptr);
    VARIANT text;
    // A value without a text form (an object, an array) is written as the
    // empty text, so the stream stays readable.
    if (FAILED(ValueAsText(text)))
        return WriteBstrToStream(stream, nullptr);
    const HRESULT hr = WriteBstrToStream(stream, text.bstrVal);
    VariantClear(&text);
    return hr;
}

HRESULT CVariantValue::LoadFromStream(IStream* stream) noexcept
{
    BSTR text = nullptr;
    HRESULT hr = ReadBstrFromStream(stream, &text);
    if (FAILED(hr))
        return hr;
    hr = StoreText(text);
    SysFreeString(text);
    return hr;
}

HRESULT CVariantValue::SaveToPropertyBag(IPropertyBag* bag, LPCOLESTR name) const noexcept
{
    if (!bag)
        return E_POINTER;
    if (!m_value || m_value->vt == VT_EMPTY || m_value->vt == VT_NULL)
        return S_OK;
    VARIANT text;
    HRESULT hr = ValueAsText(text);
    if (FAILED(hr))
        return hr;
    hr = bag->Write(name, &text);
    VariantClear(&text);
    return hr;
}

HRESULT CVariantValue::LoadFromPropertyBag(IPropertyBag* bag, LPCOLESTR name, IErrorLog* log) noexcept
{
    if (!bag)
        return E_POINTER;
    VARIANT read;
    VariantInit(&read);
    read.vt = VT_BSTR;
    read.bstrVal = nullptr;
    const HRESULT hr = bag->Read(name, &read, log);
    HRESULT stored = S_OK;
    if (SUCCEEDED(hr) && read.vt == VT_BSTR)
        stored = StoreText(read.bstrVal);
    else
        Clear();
    VariantClear(&read);
    return FAILED(hr) ? hr : stored;
}
