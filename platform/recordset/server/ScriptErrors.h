// ScriptErrors: failures of the scriptable recordset reach their caller with
// a description (error info, which IDispatch turns into EXCEPINFO).
#pragma once

#include <windows.h>

#include <new>
#include <string>
#include <string_view>

namespace hv::recordset::server {

// An argument is of the wrong kind or out of range.
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x800A0BB9);

// The description of a failure; `field` names the field concerned, if any,
// as it should read in the text (for instance "\"ME\"" or "at index 9").
std::wstring DescribeFailure(HRESULT hr, std::wstring_view field = {});

// Sets the error info of the calling thread for `iid` and returns hr.
HRESULT RaiseError(HRESULT hr, REFIID iid, const std::wstring& description);

// RaiseError with the standard description when hr failed; hr as it was.
HRESULT Checked(HRESULT hr, REFIID iid, std::wstring_view field = {});

// Runs a method body; running out of memory is reported like any failure.
template <class Body>
HRESULT Guarded(REFIID iid, Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return Checked(E_OUTOFMEMORY, iid);
    }
}

} // namespace hv::recordset::server
