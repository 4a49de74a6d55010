// The module from which the library's strings, dialogs and bitmaps are
// loaded: a locale satellite library when one is installed beside the
// control library ("Tavelle" + language abbreviation + ".DLL"), else the
// library itself.
#pragma once

#include <windows.h>

// locale 0 or LOCALE_USER_DEFAULT means the user's default locale. A
// satellite, once found, is kept until the module shuts down.
HINSTANCE GetResourceInstance(LCID locale);

// Satellite search on or off (on by default); changing it forgets what
// was found.
void SetSatelliteSearchEnabled(bool enabled);
// Unloads every satellite found so far; the next call searches again.
void FreeSatelliteLibraries();
