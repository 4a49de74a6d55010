// Calls every member an automation object's type information lists, the
// way a late-bound client would: through its IDispatch::Invoke, property
// gets and puts and methods, each with default arguments (zero, an empty
// string, Nothing, Empty; an optional argument left out or passed as
// Empty). What each call answered is kept for the test to judge.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

namespace membersweep {

// How an optional argument is passed.
enum class Optional {
    Missing,   // VT_ERROR with DISP_E_PARAMNOTFOUND
    Empty,     // VT_EMPTY
};

struct Answer {
    std::wstring member;   // "Caption get", "Caption put", "Refresh"
    HRESULT result = S_OK; // a raised error's own code in place of DISP_E_EXCEPTION
};

// Every member of the object's dual interface and of the interfaces it
// derives from, below IDispatch. Empty when the object has no type
// information.
std::vector<Answer> Sweep(IDispatch* object, Optional optional = Optional::Missing);

// The answers the judge refuses, as "member 0x800A...; " for a failed
// check: empty when every answer passed.
std::string Unexpected(const std::vector<Answer>& answers, const std::function<bool(const Answer&)>& judge);

} // namespace membersweep
