// Base of the controls over a single-line edit box (text box, numeric and
// date fields): text and selection.
#pragma once

#include <string>

#include "Control.h"

namespace hv::forms {

class EditControl : public Control {
public:
    std::wstring Text() const { return Caption(); }
    int SelStart() const;
    int SelLength() const;
    // Moves the caret to start, keeping no selection (like setting SelStart).
    void SetSelStart(int start);
    // Selects length characters from SelStart, clipped to the text.
    void SetSelLength(int length);
    std::wstring SelText() const;

protected:
    EditControl(Container& parent, const TwipsRect& place);
    HWND CreateEdit(DWORD extraStyle, const wchar_t* text);
};

} // namespace hv::forms
