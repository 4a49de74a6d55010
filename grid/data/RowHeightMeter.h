// RowHeightMeter: what one row's contents ask of its height. The natural
// height is the tallest of the row's cells: a picture, the wrapped text of
// a multi-line column at its column's width, and the row and cell borders.
// The content height is the least height the row's font and the band's row
// height allow. Text is measured on an information context of the display.
#pragma once

#include <windows.h>

class AppearanceData;
class HvBand;
class HvCell;
class HvColumn;
class HvRow;

class RowHeightMeter {
public:
    RowHeightMeter(HvBand& band, HvRow& row) : band_(band), row_(row) {}

    // Spacing and padding left out; 0 when the band has no columns.
    LONG NaturalHeight();
    // The row's line height under RowSizing Free and AutoFree (at least
    // the band's row height); the band's row height under the others.
    LONG ContentHeight();

private:
    LONG CellHeight(HvColumn& column, HDC dc);
    HvCell* CellOf(HvColumn& column);
    // The font a part of the row resolves to (the layout's when none is set).
    HFONT ResolvedFont(AppearanceData& data);

    HvBand& band_;
    HvRow& row_;
};
