// CViewStyleSingleBand: the headers of the first band alone.
#include "CViewStyleSingleBand.h"

bool CViewStyleSingleBand::BuildVisibleHeaders(ViewStyleColRegion& region)
{
    ViewStyleBand* band = FirstBand();
    if (!band || band->IsHidden())
        return false;
    return BuildBandHeaders(region, band);
}
