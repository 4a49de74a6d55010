// Text boxes over the system edit control.
#include "TextBox.h"

namespace hv::forms {

TextBox::TextBox(Container& parent, const TwipsRect& place, const std::wstring& text)
    : EditControl(parent, place)
{
    Attach(CreateEdit(0, text.c_str()));
}

void TextBox::SetMaxLength(int length)
{
    maxLength_ = length > 0 ? length : 0;
    SendMessageW(Hwnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

} // namespace hv::forms
