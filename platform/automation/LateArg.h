// LateArg: one argument or result of a late-bound call, a VARIANT that owns
// what it holds (texts, objects) and clears itself.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace hv::automation {

class LateArg {
public:
    LateArg() { VariantInit(&v_); }
    LateArg(int n) : LateArg() { V_VT(&v_) = VT_I4; V_I4(&v_) = n; }
    LateArg(long n) : LateArg() { V_VT(&v_) = VT_I4; V_I4(&v_) = n; }
    LateArg(short n) : LateArg() { V_VT(&v_) = VT_I2; V_I2(&v_) = n; }
    LateArg(double d) : LateArg() { V_VT(&v_) = VT_R8; V_R8(&v_) = d; }
    LateArg(bool b) : LateArg() { V_VT(&v_) = VT_BOOL; V_BOOL(&v_) = b ? VARIANT_TRUE : VARIANT_FALSE; }
    LateArg(const wchar_t* text);
    LateArg(const std::wstring& text) : LateArg(text.c_str()) {}
    LateArg(IDispatch* object);
    // A copy of any variant (by-reference values followed).
    static LateArg Copy(const VARIANT& value);
    static LateArg Null();
    static LateArg Date(double serial);

    LateArg(const LateArg& other);
    LateArg(LateArg&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    LateArg& operator=(LateArg other) noexcept;
    ~LateArg() { VariantClear(&v_); }

    const VARIANT& Get() const { return v_; }
    VARIANT* Put() { VariantClear(&v_); return &v_; }
    VARTYPE Type() const { return V_VT(&v_); }

private:
    VARIANT v_;
};

} // namespace hv::automation
