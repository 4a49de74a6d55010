// Arguments: the conversions every member applies to what it is given.
// Integers of 16 or 32 bits, doubles, Booleans and texts, by value or by
// reference, convert with the platform's variant conversion; anything else
// is a type mismatch. A value of the right type but outside what the member
// accepts is refused with the application's error. Both are thrown as
// Failure and turned into an automation error at the interface.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace hv::sheet::server {

// The application's error for a refused argument or operation.
constexpr HRESULT kSheetFailure = static_cast<HRESULT>(0x800A03EC);

struct Failure {
    HRESULT hr;
    std::wstring text;
};

[[noreturn]] void Fail(const std::wstring& text, HRESULT hr = kSheetFailure);

bool IsMissing(const VARIANT& v);
// The value itself when v holds a reference to one.
const VARIANT& Deref(const VARIANT& v);

double ToDouble(const VARIANT& v);  // finite only
long ToLong(const VARIANT& v);
bool ToBool(const VARIANT& v);
std::wstring ToText(const VARIANT& v);
// A whole number within [low, high], else Fail with `what`.
long ToLongIn(const VARIANT& v, long low, long high, const wchar_t* what);
double ToDoubleIn(const VARIANT& v, double low, double high, const wchar_t* what);
// One of the listed values, else Fail.
long ToOneOf(const VARIANT& v, std::initializer_list<long> allowed, const wchar_t* what);

// Result setters.
void SetResult(VARIANT* out, double value);
void SetResult(VARIANT* out, long value);
void SetResultBool(VARIANT* out, bool value);
void SetResult(VARIANT* out, const std::wstring& text);

} // namespace hv::sheet::server
