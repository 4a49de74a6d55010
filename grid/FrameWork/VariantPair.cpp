// Current and previous value of a cell.
#include "VariantPair.h"

#include <new>
#include <utility>

void VariantPair::VariantDeleter::operator()(VARIANT* value) const noexcept
{
    VariantClear(value);
    delete value;
}

HRESULT VariantPair::CopyOf(const VARIANT& value, HeldVariant& copy) noexcept
{
    HeldVariant made(new (std::nothrow) VARIANT);
    if (!made)
        return E_OUTOFMEMORY;
    VariantInit(made.get());
    const HRESULT hr = VariantCopyInd(made.get(), const_cast<VARIANT*>(&value));
    if (SUCCEEDED(hr))
        copy = std::move(made);
    return hr;
}

HRESULT VariantPair::CopyOut(const HeldVariant& slot, VARIANT* out) noexcept
{
    if (!out)
        return E_POINTER;
    if (!slot)
        return VariantClear(out);
    return VariantCopyInd(out, slot.get());
}

HRESULT VariantPair::GetFirst(VARIANT* out) const noexcept
{
    return CopyOut(m_first, out);
}

HRESULT VariantPair::GetSecond(VARIANT* out) const noexcept
{
    return CopyOut(m_second, out);
}

HRESULT VariantPair::SetFirst(const VARIANT& value) noexcept
{
    HeldVariant copy;
    const HRESULT hr = CopyOf(value, copy);
    if (FAILED(hr))
        return hr;
    m_second = std::move(m_first);
    m_first = std::move(copy);
    return hr;
}

HRESULT VariantPair::SetSecond(const VARIANT& value) noexcept
{
    HeldVariant copy;
    const HRESULT hr = CopyOf(value, copy);
    if (SUCCEEDED(hr))
        m_second = std::move(copy);
    return hr;
}

void VariantPair::MoveSecondToFirst() noexcept
{
    m_first = std::move(m_second);
}

void VariantPair::Clear() noexcept
{
    m_first.reset();
    m_second.reset();
}
