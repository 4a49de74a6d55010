// System version test shared by the optional bindings.
#include "SystemVersion.h"

bool IsWin2000Or98OrLater()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return false;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        return version.dwMajorVersion >= 5;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return version.dwMajorVersion > 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion > 0);
    return false;
}
