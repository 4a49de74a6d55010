// ClientAppearance: the look of a row or a cell as a client asks for it
// (ResolveAppearance): a new stand-alone appearance filled by the same
// resolution the display paints with, for the row as it alternates in the
// asked row scroll region, then completed with the defaults a client sees
// for whatever no level set.
#pragma once

#include <oaidl.h>

class HvCell;
class HvRow;
class HvTavelle;
struct IHvAppearance;

class ClientAppearance {
public:
    static HRESULT OfRow(HvTavelle& control, HvRow& row, VARIANT* rowRegion, IHvAppearance** out);
    static HRESULT OfCell(HvTavelle& control, HvCell& cell, VARIANT* rowRegion, IHvAppearance** out);
};
