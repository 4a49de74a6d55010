// The registry of loaded forms and End.
#include "Application.h"

#include <algorithm>

#include <windows.h>

#include "Form.h"

namespace hv::forms {

namespace {

std::vector<Form*>& Forms()
{
    static std::vector<Form*> forms;
    return forms;
}

} // namespace

const std::vector<Form*>& LoadedForms() { return Forms(); }

void FormLoaded(Form& form)
{
    if (std::find(Forms().begin(), Forms().end(), &form) == Forms().end())
        Forms().push_back(&form);
}

void FormUnloaded(Form& form)
{
    std::erase(Forms(), &form);
}

void End(int exitCode)
{
    // Discard unregisters, so work on a copy; newest first like closing windows.
    const std::vector<Form*> forms = Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        (*it)->Discard();
    PostQuitMessage(exitCode);
}

} // namespace hv::forms
