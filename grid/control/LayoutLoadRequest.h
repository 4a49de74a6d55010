// LayoutLoadRequest: the arguments of a layout load from a URL that waits
// for its download: persistence type, categories, erase flag, the grid
// and the layout. A held request keeps the grid and the layout referenced.
#pragma once

#include <Tavelle.h>

struct LayoutLoadRequest {
    LONG persistenceType = 3;
    LONG categories = 0;
    bool erase = false;
    IDispatch* grid = nullptr;   // not referenced by the record itself
    IHvLayout* layout = nullptr; // not referenced by the record itself
};
