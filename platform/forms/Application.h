// The program as a whole: the forms that are loaded, and ending the program.
#pragma once

#include <vector>

namespace hv::forms {

class Form;

// Every loaded form, in load order.
const std::vector<Form*>& LoadedForms();

// Ends the program: every form closes without running its events and the
// message loop receives WM_QUIT. The caller returns at once afterwards.
void End(int exitCode = 0);

// Bookkeeping used by Form.
void FormLoaded(Form& form);
void FormUnloaded(Form& form);

} // namespace hv::forms
