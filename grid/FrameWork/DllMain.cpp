// Entry point of the control library.
#include "Module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        ModuleAttach(instance);
        break;
    case DLL_THREAD_ATTACH:
        ModuleThreadAttach();
        break;
    case DLL_THREAD_DETACH:
        ModuleThreadDetach();
        break;
    case DLL_PROCESS_DETACH:
        // A non-null reserved pointer means the process is ending.
        ModuleDetach(reserved != nullptr);
        break;
    default:
        break;
    }
    return TRUE;
}
