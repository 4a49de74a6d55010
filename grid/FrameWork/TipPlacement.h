// Placement of a tip rectangle (screen coordinates) inside the work area of
// the monitor under the cursor, optionally clear of a rectangle it must not
// cover (the cell or header whose text it shows).
#pragma once

#include <windows.h>

// Moves tip into area: left when it crosses the right edge, then right when
// it crosses the left edge (so a tip wider than the area starts at its left
// edge); the same vertically. When avoiding is asked for a direction and
// the moved tip covers avoid, it goes to the side of avoid from which it
// came: past avoid's far edge when it started before avoid's near edge,
// else before avoid's near edge. keep* leaves that direction alone.
void FitRectToArea(RECT* tip, const RECT& area, const RECT* avoid, bool avoidHorizontally, bool avoidVertically,
                   bool keepHorizontal, bool keepVertical);

// FitRectToArea within the work area of the monitor holding the cursor.
void FitRectToWorkArea(RECT* tip, const RECT* avoid, bool avoidHorizontally, bool avoidVertically,
                       bool keepHorizontal, bool keepVertical);

// The work area of the monitor nearest to point.
RECT WorkAreaAtPoint(POINT point);
