// ElementCursors: the library's cursors for sizing scroll regions (109
// columns, 110 rows, 111 both) and the two cursors of the sibling-row
// connector (107, 108), loaded by the module's start-up (or on first use)
// and forgotten by its shut-down, through the display's module hooks.
#pragma once

#include <windows.h>

namespace ElementCursor {
constexpr WORD Connector = 107;
constexpr WORD ConnectorAlternate = 108;
constexpr WORD SizeColumnRegions = 109;
constexpr WORD SizeRowRegions = 110;
constexpr WORD SizeBoth = 111;
} // namespace ElementCursor

// The cursor of one of the ids above, or null for another id. Where the
// library's module does not carry the cursor the system's matching sizing
// cursor stands in for it.
HCURSOR GetElementCursor(WORD id);
// Loads every cursor above (when the library starts).
void LoadElementCursors();
// Forgets the loaded cursors (when the library stops).
void ClearElementCursors();
// Forgets the cursors and the row selector's marks (when the library stops).
void ReleaseDisplayResources();
