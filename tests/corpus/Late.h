// Late-bound calls by member name for building samples and walking objects;
// a failed step throws std::runtime_error naming it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace corpus {

// One VARIANT, cleared when it goes.
class Var {
public:
    Var() { VariantInit(&v); }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    VARIANT v;
};

VARIANT Long(long value);
VARIANT Real(double value);
VARIANT Flag(bool value);
VARIANT Date(double value);
// The caller owns the string: clear the VARIANT.
VARIANT Text(const std::wstring& text);
// Borrowed: not add-ref'd.
VARIANT Object(IDispatch* object);
VARIANT Omitted();

HRESULT TryGet(IDispatch* object, const wchar_t* name, VARIANT* out);
void Put(IDispatch* object, const wchar_t* name, const VARIANT& value);
void PutRef(IDispatch* object, const wchar_t* name, const VARIANT& value);
// Arguments in source order; out may be null.
void Call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* out = nullptr);
// The object behind a property or a method's result: a new reference.
IDispatch* GetObject(IDispatch* object, const wchar_t* name);
IDispatch* CallObject(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments);

// Owns one IDispatch reference.
class Disp {
public:
    explicit Disp(IDispatch* adopted = nullptr) : p(adopted) {}
    ~Disp()
    {
        if (p)
            p->Release();
    }
    Disp(const Disp&) = delete;
    Disp& operator=(const Disp&) = delete;
    IDispatch* operator->() const { return p; }
    IDispatch* p;
};

} // namespace corpus
