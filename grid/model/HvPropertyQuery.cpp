// HvPropertyQuery: the interface identifier.
#include "HvPropertyQuery.h"

// {5E0C9B47-7A1D-4C2B-9F36-2D84B1E0A6C3}
extern "C" const IID IID_HvPropertyQuery = {0x5e0c9b47, 0x7a1d, 0x4c2b, {0x9f, 0x36, 0x2d, 0x84, 0xb1, 0xe0, 0xa6, 0xc3}};
