// The registered grid bound to a table of a name and seven numbers per row
// ("row 0", 1 ... 7; "row 1", 11 ... 17; ...), with a canvas of its size.
#pragma once

#include "OcxGrid.h"

#include "Recordset.h"

struct BoundTable {
    hv::recordset::Recordset records;
    OcxGrid grid;
    Canvas canvas;

    explicit BoundTable(int width = 400, int height = 300, int rows = 60);
    void Draw();
};

// Fills and opens the recordset with the table's fields and rows.
void FillTable(hv::recordset::Recordset& records, int rows);
