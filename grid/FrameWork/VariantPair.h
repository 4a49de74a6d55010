// VariantPair: a cell's current value and the value before the last change,
// so that an edit can be undone.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>

class VariantPair
{
public:
    VariantPair() noexcept = default;
    VariantPair(const VariantPair&) = delete;
    VariantPair& operator=(const VariantPair&) = delete;

    // Copies (dereferenced) into out; VT_EMPTY when the slot is absent.
    HRESULT GetFirst(VARIANT* out) const noexcept;
    HRESULT GetSecond(VARIANT* out) const noexcept;
    // The current value moves to the previous slot, value becomes current.
    // On failure nothing changes.
    HRESULT SetFirst(const VARIANT& value) noexcept;
    HRESULT SetSecond(const VARIANT& value) noexcept;
    // Undoes the last SetFirst: the previous value is current again and the
    // previous slot is absent.
    void MoveSecondToFirst() noexcept;
    void Clear() noexcept;

    bool HasFirst() const noexcept { return m_first != nullptr; }
    bool HasSecond() const noexcept { return m_second != nullptr; }

private:
    struct VariantDeleter
    {
        void operator()(VARIANT* value) const noexcept;
    };
    using HeldVariant = std::unique_ptr<VARIANT, VariantDeleter>;

    static HRESULT CopyOf(const VARIANT& value, HeldVariant& copy) noexcept;
    static HRESULT CopyOut(const HeldVariant& slot, VARIANT* out) noexcept;

    HeldVariant m_first;  // current value
    HeldVariant m_second; // previous value
};
