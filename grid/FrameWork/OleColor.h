// The one translation of an automation colour (OLE_COLOR) into a GDI colour.
#pragma once

#include <windows.h>
#include <olectl.h>

// Behaves as GetSysColor: answers the colour of a system colour index and
// leaves the thread's last error set when the index is unknown.
using SysColorLookup = COLORREF (*)(int index);

// Plain RGB and the palette forms (high byte 0x01 and 0x02) pass unchanged; a
// system colour (top bit set) is looked up, with substitutes for the indexes
// an older system does not know.
COLORREF TranslateOleColor(OLE_COLOR color);
COLORREF TranslateOleColor(OLE_COLOR color, SysColorLookup lookup);
