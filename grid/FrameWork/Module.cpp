// Module globals and the module's attach and detach work.
#include "Module.h"

#include "ModuleHooks.h"
#include "ObjectInfo.h"
#include "ResourceModule.h"

#include <cstdlib>
#include <ctime>

namespace {

HINSTANCE g_instance = nullptr;
volatile LONG g_objectCount = 0;
CRITICAL_SECTION g_globalSection;
CRITICAL_SECTION g_mouseTrackingSection;
DWORD g_tlsSlot = TLS_OUT_OF_INDEXES;
HWND g_parkingWindow = nullptr;
bool g_reflectorRegistered = false;
ModuleHooks g_hooks[static_cast<int>(ModuleHookSlot::Count)] = {};

constexpr wchar_t kParkingClass[] = L"CtlFrameWork_Parking";
constexpr wchar_t kReflectorClass[] = L"CtlFrameWork_ReflectWindow";

void RunStartUpHooks()
{
    for (const ModuleHooks& hooks : g_hooks) {
        if (hooks.startUp)
            hooks.startUp();
    }
}

void RunShutDownHooks()
{
    for (const ModuleHooks& hooks : g_hooks) {
        if (hooks.shutDown)
            hooks.shutDown();
    }
}

void ModuleStartUp()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    InitializeCriticalSection(&g_mouseTrackingSection);
    g_tlsSlot = TlsAlloc();
    if (g_tlsSlot != TLS_OUT_OF_INDEXES)
        TlsSetValue(g_tlsSlot, nullptr);
    RunStartUpHooks();
}

void ModuleShutDown()
{
    RunShutDownHooks();
    DeleteCriticalSection(&g_mouseTrackingSection);
    if (g_tlsSlot != TLS_OUT_OF_INDEXES) {
        ModuleThreadDetach();
        TlsFree(g_tlsSlot);
        g_tlsSlot = TLS_OUT_OF_INDEXES;
    }
}

// Window classes and windows of the framework that outlive their controls.
void ReleaseWindowClasses(bool processTerminating)
{
    for (ObjectInfoEntry* entry = ObjectInfoTable(); (entry->kind & 0xFFFF) != ObjectKindEnd; ++entry) {
        if ((entry->kind & 0xFFFF) != ObjectKindControl)
            continue;
        auto* control = static_cast<ControlObjectInfo*>(entry->info);
        if (control->windowClassRegistered) {
            UnregisterClassW(control->windowClassName, g_instance);
            control->windowClassRegistered = 0;
        }
    }
    if (g_parkingWindow) {
        // At process exit the system tears windows down itself.
        if (!processTerminating)
            DestroyWindow(g_parkingWindow);
        g_parkingWindow = nullptr;
        UnregisterClassW(kParkingClass, g_instance);
    }
    if (g_reflectorRegistered) {
        UnregisterClassW(kReflectorClass, g_instance);
        g_reflectorRegistered = false;
    }
}

} // namespace

HINSTANCE ModuleInstance()
{
    return g_instance;
}

void ModuleAttach(HINSTANCE instance)
{
    InitializeCriticalSection(&g_globalSection);
    g_instance = instance;
    ModuleStartUp();
}

void ModuleDetach(bool processTerminating)
{
    ReleaseWindowClasses(processTerminating);
    if (!processTerminating)
        FreeSatelliteLibraries();
    ModuleShutDown();
    // Everything above may still take the global lock: it goes last.
    DeleteCriticalSection(&g_globalSection);
}

void ModuleThreadAttach()
{
    if (g_tlsSlot != TLS_OUT_OF_INDEXES)
        TlsSetValue(g_tlsSlot, nullptr);
}

void ModuleThreadDetach()
{
    if (g_tlsSlot == TLS_OUT_OF_INDEXES)
        return;
    if (void* block = TlsGetValue(g_tlsSlot))
        LocalFree(block);
    TlsSetValue(g_tlsSlot, nullptr);
}

LONG LibraryObjectCount()
{
    return InterlockedCompareExchange(&g_objectCount, 0, 0);
}

void LibraryAddRef()
{
    InterlockedIncrement(&g_objectCount);
}

void LibraryRelease()
{
    InterlockedDecrement(&g_objectCount);
}

CRITICAL_SECTION* GlobalCriticalSection()
{
    return &g_globalSection;
}

CRITICAL_SECTION* MouseTrackingCriticalSection()
{
    return &g_mouseTrackingSection;
}

void* ThreadLocalBlock()
{
    return g_tlsSlot == TLS_OUT_OF_INDEXES ? nullptr : TlsGetValue(g_tlsSlot);
}

void SetThreadLocalBlock(void* block)
{
    if (g_tlsSlot != TLS_OUT_OF_INDEXES)
        TlsSetValue(g_tlsSlot, block);
}

HWND ParkingWindow()
{
    return g_parkingWindow;
}

void SetParkingWindow(HWND window)
{
    g_parkingWindow = window;
}

bool ReflectorClassRegistered()
{
    return g_reflectorRegistered;
}

void SetReflectorClassRegistered(bool registered)
{
    g_reflectorRegistered = registered;
}

ModuleHooks SetModuleHooks(ModuleHookSlot slot, ModuleHooks hooks)
{
    ModuleHooks& current = g_hooks[static_cast<int>(slot)];
    ModuleHooks previous = current;
    current = hooks;
    return previous;
}

ModuleHooks GetModuleHooks(ModuleHookSlot slot)
{
    return g_hooks[static_cast<int>(slot)];
}
