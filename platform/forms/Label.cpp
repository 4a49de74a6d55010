// Labels are static controls shown as their text stands (no mnemonics).
#include "Label.h"

namespace hv::forms {

Label::Label(Container& parent, const TwipsRect& place, const std::wstring& caption)
    : Control(parent, place)
{
    Attach(CreateChild(L"STATIC", SS_LEFT | SS_NOPREFIX, 0, caption.c_str()));
}

} // namespace hv::forms
