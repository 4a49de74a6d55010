// The shell's file-drop functions, bound at run time once per process.
#pragma once

#include <windows.h>
#include <shellapi.h>

using DragQueryFileAFunction = UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT);

// Loads "SHELL32.DLL" (kept loaded) and resolves "DragFinish",
// "DragQueryFileA" and "ExtractIconA". S_OK, or 0x800A0030 when the library
// or a function is missing (nothing is kept, so the next call tries again).
HRESULT LoadShellDropFunctions();
// Valid after a successful LoadShellDropFunctions.
DragQueryFileAFunction ShellDragQueryFileA();
