// Sets a form's mouse pointer for a scope and restores the previous one on
// every way out (return, exception).
#pragma once

#include "MousePointer.h"

namespace hv::forms {

class Form;

class MousePointerGuard {
public:
    explicit MousePointerGuard(Form& form, int pointer = PointerHourglass);
    ~MousePointerGuard();
    MousePointerGuard(const MousePointerGuard&) = delete;
    MousePointerGuard& operator=(const MousePointerGuard&) = delete;

private:
    Form& form_;  // not owned; outlives the guard
    int previous_;
};

} // namespace hv::forms
