// DataAreaTiling: how the data area divides itself among the row and column
// scroll regions: the intersection of each visible pair, the scroll bars
// along the bottom and right edges, the splitter bars between split regions,
// the split boxes and the squares where these meet. Pure geometry over the
// regions' extents, so that the data area element only applies the result.
#pragma once

#include <windows.h>

#include <vector>

// One scroll region as the tiling sees it (pixels, from the data area's top
// or left edge).
struct TileRegion {
    bool visible = true;
    long start = 0;
    long extent = 0;
    bool showsBar = true;
};

struct TilingInput {
    RECT area = {};
    std::vector<TileRegion> rows;
    std::vector<TileRegion> cols;
    // Another region may still be added (the split boxes show).
    bool canAddRow = false;
    bool canAddCol = false;
    int splitterWidth = 0;
    int vScrollWidth = 0;
    int hScrollHeight = 0;
};

struct TilePiece {
    ULONG type;  // Constants_UIElement
    RECT rect;
    int row;     // index into the row regions, -1 for none
    int col;     // index into the column regions, -1 for none
};

struct TilingResult {
    std::vector<TilePiece> pieces; // in the data area's child order
    // Where each region's scroll-bar window goes (empty: hidden).
    std::vector<RECT> rowBars;
    std::vector<RECT> colBars;
};

// Gives each visible region the running start (hidden ones start 0 with
// extent 0) and stretches the region at the far edge to end at size.
void LayOutRegions(std::vector<TileRegion>& regions, long size, int splitterWidth);
// The region at the far edge: the first visible one that passes size, else
// the last visible one; -1 when none is visible.
int RegionAtEdge(const std::vector<TileRegion>& regions, long size);
// Lays the regions out (in input) and tiles the area.
TilingResult TileDataArea(TilingInput& input);
