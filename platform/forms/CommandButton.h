// A command button: Click when pressed by mouse, Space or Enter.
#pragma once

#include <functional>

#include "Control.h"

namespace hv::forms {

class CommandButton : public Control {
public:
    CommandButton(Container& parent, const TwipsRect& place, const std::wstring& caption = {});

    std::function<void()> Click;

protected:
    void OnCommand(int code) override;
    bool OnChar(int& ch) override;
};

} // namespace hv::forms
