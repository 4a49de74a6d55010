// A label: a caption of one or more lines (CR LF breaks, long lines wrap).
#pragma once

#include "Control.h"

namespace hv::forms {

class Label : public Control {
public:
    Label(Container& parent, const TwipsRect& place, const std::wstring& caption = {});

protected:
    bool IsFocusable() const override { return false; }
};

} // namespace hv::forms
