// CVariantValue: one VARIANT property value (an object's TagVariant, an item's
// data value) that tells its owner when it changes and persists itself as text
// to a stream or a property bag.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <objidl.h>
#include <ocidl.h>

#include <memory>

// Told of every change made through SetValue, with the cookie the owner gave
// the holder (typically the property's dispatch identifier).
class VariantValueOwner
{
public:
    virtual void OnVariantValueChanged(DWORD cookie) = 0;

protected:
    ~VariantValueOwner() = default;
};

class CVariantValue
{
public:
    // owner is not owned; null for a holder nobody listens to.
    explicit CVariantValue(VariantValueOwner* owner = nullptr, DWORD cookie = 0) noexcept;
    virtual ~CVariantValue();
    CVariantValue(const CVariantValue&) = delete;
    CVariantValue& operator=(const CVariantValue&) = delete;

    // Copies the value into out; VT_EMPTY when there is none.
    virtual HRESULT GetValue(VARIANT* out) const noexcept;
    // Stores value (dereferenced) and notifies the owner, unless the holder
    // already holds exactly that value. An empty text is stored as no value.
    virtual HRESULT SetValue(const VARIANT& value) noexcept;
    virtual HRESULT SetValueRef(const VARIANT* value) noexcept;

    // The value as counted text (any value with a text form is written as its
    // text); loading gives back a text or nothing, without a notice.
    virtual HRESULT LoadFromStream(IStream* stream) noexcept;
    virtual HRESULT SaveToStream(IStream* stream) const noexcept;
    virtual HRESULT LoadFromPropertyBag(IPropertyBag* bag, LPCOLESTR name, IErrorLog* log) noexcept;
    virtual HRESULT SaveToPropertyBag(IPropertyBag* bag, LPCOLESTR name) const noexcept;

    // Takes other's value without a notice.
    HRESULT Copy(const CVariantValue& other) noexcept;
    void Clear() noexcept;
    // No value, or VT_EMPTY, VT_NULL or VT_ERROR.
    bool IsEmpty() const noexcept;
    // The held value itself (still owned by the holder), or null.
    const VARIANT* Value() const noexcept { return m_value.get(); }

private:
    struct VariantDeleter
    {
        void operator()(VARIANT* value) const noexcept;
    };
    using HeldVariant = std::unique_ptr<VARIANT, VariantDeleter>;

    static HeldVariant NewVariant() noexcept;
    // The value's text in the user locale, or an error when it has none.
    HRESULT ValueAsText(VARIANT& text) const noexcept;
    HRESULT StoreText(BSTR text) noexcept;

    HeldVariant m_value;
    VariantValueOwner* m_owner; // not owned
    DWORD m_cookie;
};
