// HvCollectionItem: the private interface identifier.
#include "HvCollectionItem.h"

// {5C8F2E31-7A4B-4D2C-9E61-0B3F7A2D9C14}
extern "C" const IID IID_HvCollectionItem = {0x5c8f2e31, 0x7a4b, 0x4d2c, {0x9e, 0x61, 0x0b, 0x3f, 0x7a, 0x2d, 0x9c, 0x14}};
