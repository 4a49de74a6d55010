// RowSelectorMarks: the 12 x 12 marks a row selector shows (the active
// row, a changed row, the add row), kept as icons made once from the
// library's bitmaps, whose black pixels are the transparent ground.
#pragma once

#include <windows.h>

namespace RowSelectorMark {
constexpr WORD Active = 105;
constexpr WORD Changed = 106;
constexpr WORD ActiveChanged = 112;
constexpr WORD AddRow = 113;
constexpr WORD AddRowActive = 114;
constexpr int Size = 12;
} // namespace RowSelectorMark

// Draws the mark of id with its top-left corner at x, y. With a colour
// (not CLR_INVALID) every pixel of the mark takes that colour. False when
// the library carries no such mark.
bool DrawRowSelectorMark(HDC dc, WORD id, int x, int y, COLORREF color);
// Forgets the marks made (when the library stops).
void ClearRowSelectorMarks();
