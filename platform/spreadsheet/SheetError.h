// SheetError: a refused operation of the spreadsheet model (a bad argument,
// a range too large, a name in use); the model is left as it was.
#pragma once

#include <stdexcept>
#include <string>

namespace hv::sheet {

class SheetError : public std::runtime_error {
public:
    explicit SheetError(std::wstring text) : std::runtime_error("sheet error"), text_(std::move(text)) {}
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

} // namespace hv::sheet
