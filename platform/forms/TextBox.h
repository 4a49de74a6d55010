// A single-line text box with a maximum length.
#pragma once

#include "EditControl.h"

namespace hv::forms {

class TextBox : public EditControl {
public:
    TextBox(Container& parent, const TwipsRect& place, const std::wstring& text = {});

    void SetText(const std::wstring& text) { SetCaption(text); }
    // 0 means no limit beyond the edit control's own.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);

private:
    int maxLength_ = 0;
};

} // namespace hv::forms
