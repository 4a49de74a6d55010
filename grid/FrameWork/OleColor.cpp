// OLE_COLOR to COLORREF, with the system colour substitutes.
#include "OleColor.h"

namespace {

COLORREF SystemLookup(int index)
{
    return GetSysColor(index);
}

constexpr COLORREF PureBlue = 0xFF0000;

// The colour to use when the system answered black with an error set, i.e.
// it does not know the index.
COLORREF Substitute(int index, SysColorLookup lookup)
{
    switch (index) {
    case COLOR_3DDKSHADOW:                return lookup(COLOR_BTNSHADOW);
    case COLOR_3DLIGHT:                   return lookup(COLOR_BTNHIGHLIGHT);
    case COLOR_INFOTEXT:                  return lookup(COLOR_WINDOWTEXT);
    case COLOR_INFOBK:                    return lookup(COLOR_WINDOW);
    case COLOR_HOTLIGHT:                  return PureBlue;
    case COLOR_GRADIENTACTIVECAPTION:     return lookup(COLOR_ACTIVECAPTION);
    case COLOR_GRADIENTINACTIVECAPTION:   return lookup(COLOR_INACTIVECAPTION);
    default:                              return 0;
    }
}

} // namespace

COLORREF TranslateOleColor(OLE_COLOR color)
{
    return TranslateOleColor(color, SystemLookup);
}

COLORREF TranslateOleColor(OLE_COLOR color, SysColorLookup lookup)
{
    if ((color & 0x80000000u) == 0)
        return color;
    const int index = static_cast<int>(color & 0x00FFFFFFu);
    // Indexes up to 20 are known to every system; above, the last error tells
    // a real black from an unknown index.
    if (index > COLOR_BTNHIGHLIGHT)
        SetLastError(0);
    const COLORREF result = lookup(index);
    if (result != 0 || GetLastError() == 0)
        return result;
    return Substitute(index, lookup);
}
