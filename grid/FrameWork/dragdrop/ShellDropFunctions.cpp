// Run-time binding of the shell's file-drop functions.
#include "ShellDropFunctions.h"

#include "CriticalSectionLock.h"
#include "DragDropErrors.h"
#include "Module.h"

namespace {

FARPROC g_dragFinish = nullptr;
DragQueryFileAFunction g_dragQueryFileA = nullptr;
FARPROC g_extractIconA = nullptr;

} // namespace

HRESULT LoadShellDropFunctions()
{
    CriticalSectionLock guard(GlobalCriticalSection());
    if (g_dragQueryFileA)
        return S_OK;
    HMODULE shell = LoadLibraryA("SHELL32.DLL");
    if (!shell)
        return ErrorNumberToResult(DragDropError::ShellFunctionsMissing);
    FARPROC finish = GetProcAddress(shell, "DragFinish");
    FARPROC query = GetProcAddress(shell, "DragQueryFileA");
    FARPROC extract = GetProcAddress(shell, "ExtractIconA");
    if (!finish || !query || !extract) {
        FreeLibrary(shell);
        return ErrorNumberToResult(DragDropError::ShellFunctionsMissing);
    }
    g_dragFinish = finish;
    g_extractIconA = extract;
    g_dragQueryFileA = reinterpret_cast<DragQueryFileAFunction>(reinterpret_cast<void*>(query));
    return S_OK;
}

DragQueryFileAFunction ShellDragQueryFileA()
{
    return g_dragQueryFileA;
}
