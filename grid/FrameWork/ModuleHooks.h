// Start-up and shut-down work that the module runs for higher parts of the
// library: the grid display (its UI element cursors) and the control (its
// sizing pattern bitmap and mouse-tracking mutex). Each part installs its
// hooks from a static initialiser of its own, which runs before the
// module's start-up.
#pragma once

enum class ModuleHookSlot {
    Display = 0,   // loads and forgets the UI element cursors
    Control = 1,   // loads and frees the pattern bitmap, closes the tracking mutex
    Count
};

struct ModuleHooks {
    void (*startUp)();
    void (*shutDown)();
};

// Returns the hooks that were installed before.
ModuleHooks SetModuleHooks(ModuleHookSlot slot, ModuleHooks hooks);
ModuleHooks GetModuleHooks(ModuleHookSlot slot);
