// Objects of the registered grid reached as a script reaches them: members
// called by name through IDispatch, and paths of members written as a
// script writes them, Bands.Item(0).Columns.Item("ME").Header.
#pragma once

#include "GridBindingFixture.h"

#include <string>
#include <string_view>
#include <vector>

namespace bindtest {

inline std::string Narrow(std::wstring_view text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

// Calls a member by name, as a script does.
inline HRESULT CallByName(IDispatch* object, const std::wstring& name, WORD flags, std::vector<VARIANT>& reversedArgs,
                          VARIANT* result)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    DISPID id = 0;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params = {reversedArgs.data(), isPut ? &put : nullptr, static_cast<UINT>(reversedArgs.size()),
                         isPut ? 1u : 0u};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

// Follows a path of members from an object, written as a script writes
// it: Bands.Item(0).Columns.Item("ME").Header. An argument is a whole
// number or a "text".
inline Var Eval(IDispatch* from, std::wstring_view path)
{
    Var current(from);
    while (!path.empty()) {
        const size_t end = path.find_first_of(L".(");
        const std::wstring name(path.substr(0, end));
        path.remove_prefix(end == std::wstring_view::npos ? path.size() : end);
        std::vector<VARIANT> args;
        if (!path.empty() && path.front() == L'(') {
            const size_t close = path.find(L')');
            std::wstring_view list = path.substr(1, close - 1);
            path.remove_prefix(close + 1);
            while (!list.empty()) {
                const size_t comma = list.find(L',');
                std::wstring_view arg = list.substr(0, comma);
                list.remove_prefix(comma == std::wstring_view::npos ? list.size() : comma + 1);
                VARIANT value;
                VariantInit(&value);
                if (arg.front() == L'"') {
                    value.vt = VT_BSTR;
                    value.bstrVal = SysAllocString(std::wstring(arg.substr(1, arg.size() - 2)).c_str());
                } else {
                    value.vt = VT_I4;
                    value.lVal = std::stol(std::wstring(arg));
                }
                args.insert(args.begin(), value);
            }
        }
        if (!path.empty() && path.front() == L'.')
            path.remove_prefix(1);
        REQUIRE_MESSAGE(current.v.vt == VT_DISPATCH, "no object before ", Narrow(name));
        Var next;
        const HRESULT hr = CallByName(current.v.pdispVal, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, &next.v);
        for (VARIANT& arg : args)
            VariantClear(&arg);
        REQUIRE_MESSAGE(hr == S_OK, Narrow(name), " answered ", hr);
        VariantClear(&current.v);
        current.v = next.v;
        VariantInit(&next.v);
    }
    return current;
}

inline ComPtr<IDispatch> ObjectAt(IDispatch* from, std::wstring_view path)
{
    INFO(Narrow(path));
    Var value = Eval(from, path);
    REQUIRE(value.v.vt == VT_DISPATCH);
    REQUIRE(value.v.pdispVal);
    return ComPtr<IDispatch>(value.v.pdispVal);
}

inline void Put(IDispatch* object, const wchar_t* name, Var value)
{
    std::vector<VARIANT> args = {value.v};
    REQUIRE_MESSAGE(CallByName(object, name, DISPATCH_PROPERTYPUT, args, nullptr) == S_OK, Narrow(name));
}

} // namespace bindtest
