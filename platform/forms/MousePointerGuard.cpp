// Scoped mouse pointer of a form.
#include "MousePointerGuard.h"

#include "Form.h"

namespace hv::forms {

MousePointerGuard::MousePointerGuard(Form& form, int pointer)
    : form_(form), previous_(form.MousePointer())
{
    form_.SetMousePointer(pointer);
}

MousePointerGuard::~MousePointerGuard()
{
    form_.SetMousePointer(previous_);
}

} // namespace hv::forms
