// HeaderElementLookup: how a header finds its element in the grid that shows
// it. The control, which sees the element tree, installs the finder when the
// library starts; without one a header has no element.
#pragma once

#include <windows.h>
#include <Tavelle.h>

class HvHeader;

using HeaderElementFinder = HRESULT (*)(HvHeader& header, VARIANT* rowRegion, VARIANT* colRegion,
                                        IHvUIElement** out);

HeaderElementFinder& HeaderElementLookup();
