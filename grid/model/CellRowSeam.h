// CellRowSeam: what a row's Cells collection needs of its row: the band
// whose columns the cells follow, and the making of a cell.
#pragma once

#include <windows.h>

class GridBandSeam;
class GridColumnSeam;
class HvCells;
class HvKeyedItem;

class CellRowSeam {
public:
    // Not referenced.
    virtual GridBandSeam* Band() = 0;
    // A new cell of the row for column (one reference, given).
    virtual HRESULT CreateCell(GridColumnSeam* column, HvCells* cells, HvKeyedItem** out) = 0;
    // The column a cell of the row belongs to.
    virtual GridColumnSeam* ColumnOfCell(HvKeyedItem* cell) = 0;

protected:
    ~CellRowSeam() = default;
};
