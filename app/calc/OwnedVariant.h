// OwnedVariant: one VARIANT with a single owner. It is cleared when the owner
// goes away and deep-copied when copied, so no BSTR, array or interface held
// in it can leak or be freed twice.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string_view>

class OwnedVariant
{
public:
    OwnedVariant() noexcept;                        // Empty
    OwnedVariant(const OwnedVariant& other);
    OwnedVariant(OwnedVariant&& other) noexcept;
    OwnedVariant& operator=(const OwnedVariant& other);
    OwnedVariant& operator=(OwnedVariant&& other) noexcept;
    ~OwnedVariant();

    static OwnedVariant Null() noexcept;
    static OwnedVariant Number(double value) noexcept;
    static OwnedVariant Text(std::wstring_view text);

    // Replaces the held value by a deep copy of source, following a by-reference
    // value to what it points at (a pointer into the caller's memory must not be
    // kept). Answers false, holding Empty, when source cannot be copied.
    // Throws std::bad_alloc when memory runs out.
    bool Assign(const VARIANT& source);

    const VARIANT& Get() const noexcept { return m_value; }
    operator const VARIANT&() const noexcept { return m_value; }
    VARTYPE Type() const noexcept { return m_value.vt; }
    bool IsNull() const noexcept { return m_value.vt == VT_NULL; }

    // Hands the value over to the caller, who must VariantClear it.
    VARIANT Detach() noexcept;

private:
    void Clear() noexcept;

    VARIANT m_value;
};
