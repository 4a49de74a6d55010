// The version checks of the run-time bindings of optional system functions.
#pragma once

#include <windows.h>

// Windows NT 5 or later, or Windows 98 or later.
bool IsWin2000Or98OrLater();
