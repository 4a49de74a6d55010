// BandElementLookup: the process-wide finder.
#include "BandElementLookup.h"

BandElementFinder& BandElementLookup()
{
    static BandElementFinder finder = nullptr;
    return finder;
}
