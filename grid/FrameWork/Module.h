// Module-wide state of the control library: its instance handle, the count
// of live objects and server locks, the global locks, the thread-local slot,
// and the attach/detach work that DllMain runs.
#pragma once

#include <windows.h>

// The module whose resources, file name and type library the library uses.
HINSTANCE ModuleInstance();

// Start-up and shut-down of the module. DllMain calls them; a program that
// links the framework statically calls them itself with its own instance.
// When processTerminating is true, windows are left to the system.
void ModuleAttach(HINSTANCE instance);
void ModuleDetach(bool processTerminating);
void ModuleThreadAttach();
void ModuleThreadDetach();

// The library may unload when this is zero: every object, class factory and
// LockServer(TRUE) holds one count.
LONG LibraryObjectCount();
void LibraryAddRef();
void LibraryRelease();

// Guards the type-information caches, the framework's window classes,
// clipboard formats, the screen resolution cache and the resource handle.
CRITICAL_SECTION* GlobalCriticalSection();
// Guards the creation of the control's mouse-tracking mutex.
CRITICAL_SECTION* MouseTrackingCriticalSection();

// Per-thread block of the framework (allocated with LocalAlloc by its user);
// freed when the thread ends.
void* ThreadLocalBlock();
void SetThreadLocalBlock(void* block);

// The hidden parking window of the control windows and the reflector window
// class: created by the control window code, cleaned up at detach.
HWND ParkingWindow();
void SetParkingWindow(HWND window);
bool ReflectorClassRegistered();
void SetReflectorClassRegistered(bool registered);
