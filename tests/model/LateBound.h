// Late-bound calls through IDispatch, as a script client makes them: names
// looked up with GetIDsOfNames, arguments passed in DISPPARAMS, failures
// read from EXCEPINFO.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

struct LateResult {
    HRESULT hr = E_FAIL;
    VARIANT value;
    SCODE scode = 0;
    std::wstring description;
    LateResult() { VariantInit(&value); }
    ~LateResult() { VariantClear(&value); }
    LateResult(const LateResult&) = delete;
    LateResult& operator=(const LateResult&) = delete;
};

DISPID DispIdOf(IDispatch* object, const wchar_t* name);
// args in the order the client writes them (reversed into DISPPARAMS).
void LateGet(IDispatch* object, const wchar_t* name, LateResult& result, std::vector<VARIANT> args = {});
void LatePut(IDispatch* object, const wchar_t* name, const VARIANT& value, LateResult& result,
             WORD kind = DISPATCH_PROPERTYPUT);
void LateCall(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args, LateResult& result);
