// The failure of a report run or output: what went wrong, with the HRESULT
// of the call that failed.
#pragma once

#include <stdexcept>
#include <string>

#include <windows.h>

namespace hv::report {

class ReportError : public std::runtime_error {
public:
    ReportError(HRESULT hr, const std::string& what) : std::runtime_error(what), hr_(hr) {}
    HRESULT Result() const { return hr_; }

private:
    HRESULT hr_;
};

} // namespace hv::report
