// AppearanceChain: how the look of a row and of a cell is put together for
// the display, level by level from the most specific: the band's and the
// layout's appearances for the editing, active and selected states first,
// then the object's own appearances, then the alternate and plain levels of
// the band and the layout. Each level fills only what is still unset.
#pragma once

#include <cstdint>

class AppearanceData;
class HvBand;
class HvCell;
class HvColumnGroupImpl;
class HvRow;

class AppearanceChain {
public:
    // part: 0 the row's cell area, 1 its row selector, 2 its auto-preview.
    static void ResolveRow(HvBand& band, HvRow& row, AppearanceData& data, std::uint32_t mask, bool alternate,
                           int part);
    // cell is null when the row's cells are not made; active tells whether
    // it is the control's active cell.
    static void ResolveCell(HvBand& band, HvRow& row, HvCell* cell, bool active, HvColumnGroupImpl& column,
                            AppearanceData& data, std::uint32_t mask, bool alternate);
    // A cell whose column has a value list shows the picture of the item
    // its value stands for in place of its appearances' picture.
    static void TakeValueListPicture(HvCell& cell, HvColumnGroupImpl& column, AppearanceData& data);
};
