// AutomationError: a late-bound call that failed: the result code and the
// description the object gave (from its exception information).
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace hv::automation {

class AutomationError : public std::runtime_error {
public:
    AutomationError(HRESULT hr, std::wstring description)
        : std::runtime_error("automation error"), hr_(hr), description_(std::move(description))
    {
    }
    HRESULT Result() const { return hr_; }
    const std::wstring& Description() const { return description_; }

private:
    HRESULT hr_;
    std::wstring description_;
};

} // namespace hv::automation
