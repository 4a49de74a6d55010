// A frame: an etched border with a caption that holds its own controls
// (their placement is relative to the frame's top left corner).
#pragma once

#include "Container.h"
#include "Control.h"

namespace hv::forms {

class Frame : public Control, public Container {
public:
    Frame(Container& parent, const TwipsRect& place, const std::wstring& caption = {});

    Form& OwnerForm() override { return Control::OwnerForm(); }

protected:
    bool IsFocusable() const override { return false; }
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
};

} // namespace hv::forms
