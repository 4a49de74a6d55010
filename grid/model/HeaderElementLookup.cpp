// HeaderElementLookup: the process-wide finder.
#include "HeaderElementLookup.h"

HeaderElementFinder& HeaderElementLookup()
{
    static HeaderElementFinder finder = nullptr;
    return finder;
}
