// A chaptered recordset for the display and input tests: three parents
// (ID, NAME "parent <ID>") with five items (PARENT, QTY) each, and the
// registered grid made to show one parent expanded.
#pragma once

#include "Recordset.h"

#include <Tavelle.h>

struct ParentItemTree {
    ParentItemTree();

    hv::recordset::Recordset items, parents;
};

// Expands the top-level row at the index and collapses the others.
void ExpandOnlyParent(IHvTavelleControl* control, int index);
