// OwnedVariant: ownership of one VARIANT through the OLE Automation copy and
// clear functions.
#include "OwnedVariant.h"

#include <new>
#include <utility>

OwnedVariant::OwnedVariant() noexcept
{
    VariantInit(&m_value);
}

OwnedVariant::OwnedVariant(const OwnedVariant& other) : OwnedVariant()
{
    const HRESULT hr = VariantCopy(&m_value, const_cast<VARIANT*>(&other.m_value));
    if (hr == E_OUTOFMEMORY)
        throw std::bad_alloc();
}

OwnedVariant::OwnedVariant(OwnedVariant&& other) noexcept : m_value(other.m_value)
{
    VariantInit(&other.m_value);
}

OwnedVariant& OwnedVariant::operator=(const OwnedVariant& other)
{
    if (this != &other) {
        OwnedVariant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

OwnedVariant& OwnedVariant::operator=(OwnedVariant&& other) noexcept
{
    if (this != &other) {
        Clear();
        m_value = other.m_value;
        VariantInit(&other.m_value);
    }
    return *this;
}

OwnedVariant::~OwnedVariant()
{
    Clear();
}

OwnedVariant OwnedVariant::Null() noexcept
{
    OwnedVariant v;
    v.m_value.vt = VT_NULL;
    return v;
}

OwnedVariant OwnedVariant::Number(double value) noexcept
{
    OwnedVariant v;
    v.m_value.vt = VT_R8;
    v.m_value.dblVal = value;
    return v;
}

OwnedVariant OwnedVariant::Text(std::wstring_view text)
{
    OwnedVariant v;
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (b == nullptr)
        throw std::bad_alloc();
    v.m_value.vt = VT_BSTR;
    v.m_value.bstrVal = b;
    return v;
}

bool OwnedVariant::Assign(const VARIANT& source)
{
    OwnedVariant copy;
    const HRESULT hr = VariantCopyInd(&copy.m_value, const_cast<VARIANT*>(&source));
    if (hr == E_OUTOFMEMORY)
        throw std::bad_alloc();
    if (FAILED(hr)) {
        Clear();
        return false;
    }
    *this = std::move(copy);
    return true;
}

VARIANT OwnedVariant::Detach() noexcept
{
    VARIANT out = m_value;
    VariantInit(&m_value);
    return out;
}

void OwnedVariant::Clear() noexcept
{
    VariantClear(&m_value);
    VariantInit(&m_value);
}
