// CEnumObject: the one enumerator of the library. It walks an array of
// fixed-size elements and hands each out through a copy operation, serving
// IEnumVARIANT, IEnumConnections, IEnumConnectionPoints, IEnumOLEVERB and
// IEnumFORMATETC alike (their tables have the same shape).
#pragma once

#include "UnknownObject.h"

#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <memory>

// Copies one element out, taking a reference where the element holds one.
using EnumCopyFunction = HRESULT (*)(void* destination, const void* source, ULONG size);
// Releases what one element holds.
using EnumClearFunction = void (*)(void* element, ULONG size);

// Element operations of the common element types.
HRESULT CopyVariantElement(void* destination, const void* source, ULONG size);
void ClearVariantElement(void* element, ULONG size);
HRESULT CopyInterfaceElement(void* destination, const void* source, ULONG size);
void ClearInterfaceElement(void* element, ULONG size);
HRESULT CopyConnectDataElement(void* destination, const void* source, ULONG size);
void ClearConnectDataElement(void* element, ULONG size);

// The table shared by every enumerator interface the library hands out:
// IEnumVARIANT and its siblings differ only in their element type.
struct IEnumElements : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG count, void* elements, ULONG* fetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG count) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IEnumElements** out) = 0;
};

// An element array being handed to an enumerator: count elements of size
// bytes, each released with clear (when given) when the array dies.
class EnumElementArray
{
public:
    EnumElementArray() noexcept = default;
    // An array of count zeroed elements; empty (Data() null) when it cannot be made.
    EnumElementArray(ULONG count, ULONG size, EnumClearFunction clear) noexcept;
    ~EnumElementArray();
    EnumElementArray(EnumElementArray&& other) noexcept;
    EnumElementArray& operator=(EnumElementArray&& other) noexcept;
    EnumElementArray(const EnumElementArray&) = delete;
    EnumElementArray& operator=(const EnumElementArray&) = delete;

    void* Data() const noexcept { return m_bytes.get(); }
    void* At(ULONG index) const noexcept { return m_bytes.get() + static_cast<std::size_t>(index) * m_size; }
    ULONG Count() const noexcept { return m_count; }
    ULONG Size() const noexcept { return m_size; }
    EnumClearFunction Clear() const noexcept { return m_clear; }
    // Elements [0, filled) are cleared when the array dies; by default all.
    void SetFilled(ULONG filled) noexcept { m_filled = filled; }

private:
    void Free() noexcept;

    std::unique_ptr<std::byte[]> m_bytes;
    ULONG m_count = 0;
    ULONG m_size = 0;
    ULONG m_filled = 0;
    EnumClearFunction m_clear = nullptr;
};

class CEnumObject final : public IEnumElements, public CUnknownObject
{
public:
    // Makes an enumerator for iid over elements (taken over) and hands it out
    // through out as iid. owner, when given, is held referenced for the
    // enumerator's lifetime (the object whose contents it enumerates).
    // E_OUTOFMEMORY, with the elements released, when it cannot be made.
    static HRESULT Create(REFIID iid, EnumElementArray elements, EnumCopyFunction copy,
                          IUnknown* owner, void** out) noexcept;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    STDMETHODIMP Next(ULONG count, void* elements, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumElements** out) override;

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

private:
    CEnumObject(REFIID iid, EnumElementArray elements, EnumCopyFunction copy, IUnknown* owner) noexcept;
    // A clone: shares source's elements and holds source.
    CEnumObject(CEnumObject& source) noexcept;
    ~CEnumObject() override;

    IID m_iid;
    EnumElementArray m_owned;       // empty in a clone
    const std::byte* m_elements;    // the owned array, or the source's
    ULONG m_count;
    ULONG m_size;
    ULONG m_position = 0;
    EnumCopyFunction m_copy;
    EnumClearFunction m_clear;      // undoes a copy when a Next fails midway
    CEnumObject* m_source;          // held, or null
    IUnknown* m_owner;              // held, or null
};
