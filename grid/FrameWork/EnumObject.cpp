// The framework enumerator and its element operations.
#include "EnumObject.h"

#include <ocidl.h>

#include <cstring>
#include <new>
#include <utility>

HRESULT CopyVariantElement(void* destination, const void* source, ULONG)
{
    auto* out = static_cast<VARIANT*>(destination);
    VariantInit(out);
    return VariantCopy(out, const_cast<VARIANT*>(static_cast<const VARIANT*>(source)));
}

void ClearVariantElement(void* element, ULONG)
{
    VariantClear(static_cast<VARIANT*>(element));
}

HRESULT CopyInterfaceElement(void* destination, const void* source, ULONG)
{
    IUnknown* pointer = *static_cast<IUnknown* const*>(source);
    if (pointer)
        pointer->AddRef();
    *static_cast<IUnknown**>(destination) = pointer;
    return S_OK;
}

void ClearInterfaceElement(void* element, ULONG)
{
    auto** pointer = static_cast<IUnknown**>(element);
    if (*pointer)
        (*pointer)->Release();
    *pointer = nullptr;
}

HRESULT CopyConnectDataElement(void* destination, const void* source, ULONG)
{
    const auto* from = static_cast<const CONNECTDATA*>(source);
    auto* to = static_cast<CONNECTDATA*>(destination);
    *to = *from;
    if (to->pUnk)
        to->pUnk->AddRef();
    return S_OK;
}

void ClearConnectDataElement(void* element, ULONG)
{
    auto* data = static_cast<CONNECTDATA*>(element);
    if (data->pUnk)
        data->pUnk->Release();
    data->pUnk = nullptr;
}

EnumElementArray::EnumElementArray(ULONG count, ULONG size, EnumClearFunction clear) noexcept
    : m_count(count), m_size(size), m_filled(count), m_clear(clear)
{
    const std::size_t bytes = static_cast<std::size_t>(count) * size;
    if (size != 0 && bytes / size != count) {
        m_count = m_filled = 0;
        return;
    }
    m_bytes.reset(new (std::nothrow) std::byte[bytes > 0 ? bytes : 1]());
    if (!m_bytes)
        m_count = m_filled = 0;
}

EnumElementArray::~EnumElementArray()
{
    Free();
}

EnumElementArray::EnumElementArray(EnumElementArray&& other) noexcept
    : m_bytes(std::move(other.m_bytes)), m_count(other.m_count), m_size(other.m_size),
      m_filled(other.m_filled), m_clear(other.m_clear)
{
    other.m_count = other.m_filled = 0;
}

EnumElementArray& EnumElementArray::operator=(EnumElementArray&& other) noexcept
{
    if (this != &other) {
        Free();
        m_bytes = std::move(other.m_bytes);
        m_count = other.m_count;
        m_size = other.m_size;
        m_filled = other.m_filled;
        m_clear = other.m_clear;
        other.m_count = other.m_filled = 0;
    }
    return *this;
}

void EnumElementArray::Free() noexcept
{
    if (m_bytes && m_clear) {
        for (ULONG i = 0; i < m_filled; ++i)
            m_clear(At(i), m_size);
    }
    m_bytes.reset();
    m_count = m_filled = 0;
}

HRESULT CEnumObject::Create(REFIID iid, EnumElementArray elements, EnumCopyFunction copy,
                            IUnknown* owner, void** out) noexcept
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!copy || (!elements.Data() && elements.Count() != 0))
        return E_INVALIDARG;
    auto* made = new (std::nothrow) CEnumObject(iid, std::move(elements), copy, owner);
    if (!made)
        return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(iid, out);
    made->Release();
    return hr;
}

CEnumObject::CEnumObject(REFIID iid, EnumElementArray elements, EnumCopyFunction copy, IUnknown* owner) noexcept
    : CUnknownObject(nullptr, static_cast<IEnumElements*>(this)), m_iid(iid), m_owned(std::move(elements)),
      m_elements(static_cast<const std::byte*>(m_owned.Data())), m_count(m_owned.Count()),
      m_size(m_owned.Size()), m_copy(copy), m_clear(m_owned.Clear()), m_source(nullptr), m_owner(owner)
{
    if (m_owner)
        m_owner->AddRef();
}

CEnumObject::CEnumObject(CEnumObject& source) noexcept
    : CUnknownObject(nullptr, static_cast<IEnumElements*>(this)), m_iid(source.m_iid),
      m_elements(source.m_elements), m_count(source.m_count), m_size(source.m_size),
      m_position(source.m_position), m_copy(source.m_copy), m_clear(source.m_clear),
      m_source(&source), m_owner(nullptr)
{
    m_source->AddRef();
}

CEnumObject::~CEnumObject()
{
    // The elements die before the owner they may refer to.
    m_owned = EnumElementArray();
    if (m_source)
        m_source->Release();
    if (m_owner)
        m_owner->Release();
}

HRESULT CEnumObject::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, m_iid)) {
        *out = static_cast<IEnumElements*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CUnknownObject::InternalQueryInterface(iid, out);
}

STDMETHODIMP CEnumObject::Next(ULONG count, void* elements, ULONG* fetched)
{
    if (fetched)
        *fetched = 0;
    if (!elements)
        return E_POINTER;
    auto* out = static_cast<std::byte*>(elements);
    const ULONG available = m_count - m_position;
    const ULONG wanted = count < available ? count : available;
    for (ULONG i = 0; i < wanted; ++i) {
        const HRESULT hr = m_copy(out + static_cast<std::size_t>(i) * m_size,
                                  m_elements + static_cast<std::size_t>(m_position + i) * m_size, m_size);
        if (FAILED(hr)) {
            // Nothing is handed out half-way: what was copied is taken back.
            for (ULONG j = 0; j < i && m_clear; ++j)
                m_clear(out + static_cast<std::size_t>(j) * m_size, m_size);
            return hr;
        }
    }
    m_position += wanted;
    if (fetched)
        *fetched = wanted;
    return wanted == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumObject::Skip(ULONG count)
{
    const ULONG available = m_count - m_position;
    if (count > available) {
        m_position = m_count;
        return S_FALSE;
    }
    m_position += count;
    return S_OK;
}

STDMETHODIMP CEnumObject::Reset()
{
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CEnumObject::Clone(IEnumElements** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    auto* clone = new (std::nothrow) CEnumObject(*this);
    if (!clone)
        return E_OUTOFMEMORY;
    // The clone is born with the one reference its caller receives.
    *out = static_cast<IEnumElements*>(clone);
    return S_OK;
}
