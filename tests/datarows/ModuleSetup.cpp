// The framework is linked into this test program: the program's own module
// stands in for the control library (it embeds the same resources).
#include "Module.h"

namespace {

struct ModuleSetup {
    ModuleSetup() { ModuleAttach(GetModuleHandleW(nullptr)); }
    ~ModuleSetup() { ModuleDetach(false); }
};

ModuleSetup g_module;

} // namespace
