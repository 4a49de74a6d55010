// DataAreaTiling: the placement of intersections, bars and boxes.
#include "DataAreaTiling.h"

namespace {

constexpr ULONG Intersection = 1000;
constexpr ULONG ColScrollBar = 1100;
constexpr ULONG ColSplitterBar = 1200;
constexpr ULONG ColSplitBox = 1300;
constexpr ULONG RowScrollBar = 1400;
constexpr ULONG RowSplitterBar = 1500;
constexpr ULONG RowSplitBox = 1600;
constexpr ULONG SplitterIntersection = 1700;
constexpr ULONG ScrollBarIntersection = 1800;
constexpr long SplitBoxLength = 8;

int FirstVisible(const std::vector<TileRegion>& regions)
{
    for (size_t i = 0; i < regions.size(); ++i)
        if (regions[i].visible)
            return static_cast<int>(i);
    return -1;
}

} // namespace

int RegionAtEdge(const std::vector<TileRegion>& regions, long size)
{
    int last = -1;
    for (size_t i = 0; i < regions.size(); ++i) {
        if (!regions[i].visible)
            continue;
        if (regions[i].start + regions[i].extent > size)
            return static_cast<int>(i);
        last = static_cast<int>(i);
    }
    return last;
}

void LayOutRegions(std::vector<TileRegion>& regions, long size, int splitterWidth)
{
    long running = 0;
    for (TileRegion& region : regions) {
        if (!region.visible) {
            region.start = 0;
            region.extent = 0;
            continue;
        }
        region.start = running;
        running += region.extent + splitterWidth;
    }
    const int edge = RegionAtEdge(regions, size);
    if (edge >= 0) {
        TileRegion& region = regions[static_cast<size_t>(edge)];
        region.extent = size - region.start;
        if (region.extent < 0)
            region.extent = 0;
        // Regions after it start beyond the edge.
        long after = region.start + region.extent + splitterWidth;
        for (size_t i = static_cast<size_t>(edge) + 1; i < regions.size(); ++i)
            if (regions[i].visible) {
                regions[i].start = after;
                after += regions[i].extent + splitterWidth;
            }
    }
}

TilingResult TileDataArea(TilingInput& in)
{
    TilingResult out;
    const RECT& area = in.area;
    LayOutRegions(in.rows, area.bottom - area.top, in.splitterWidth);
    LayOutRegions(in.cols, area.right - area.left, in.splitterWidth);
    out.rowBars.assign(in.rows.size(), RECT{});
    out.colBars.assign(in.cols.size(), RECT{});

    const int bottomRow = RegionAtEdge(in.rows, area.bottom - area.top);
    const int rightCol = RegionAtEdge(in.cols, area.right - area.left);
    const int firstRow = FirstVisible(in.rows);
    const int firstCol = FirstVisible(in.cols);
    const bool rowsSplit = firstRow >= 0 && firstRow != static_cast<int>(in.rows.size()) - 1;
    const bool colsSplit = firstCol >= 0 && firstCol != static_cast<int>(in.cols.size()) - 1;
    const long split = in.splitterWidth;
    auto add = [&](ULONG type, const RECT& rect, int row, int col) { out.pieces.push_back({type, rect, row, col}); };

    for (int r = 0; r < static_cast<int>(in.rows.size()); ++r) {
        const TileRegion& R = in.rows[static_cast<size_t>(r)];
        if (!R.visible)
            continue;
        const long top = area.top + R.start;
        const long bottom = top + R.extent;
        for (int c = 0; c < static_cast<int>(in.cols.size()); ++c) {
            const TileRegion& C = in.cols[static_cast<size_t>(c)];
            if (!C.visible)
                continue;
            const long left = area.left + C.start;
            const long right = left + C.extent;
            if (top >= area.bottom || left >= area.right)
                continue;
            RECT cell = {left, top, right, bottom};
            const bool lastRow = r == bottomRow || bottom > area.bottom - in.hScrollHeight;
            const bool lastCol = c == rightCol || right > area.right - in.vScrollWidth;
            RECT hBar = {};
            RECT vBar = {};
            if (lastRow) {
                cell.bottom = area.bottom;
                if (C.showsBar) {
                    const long barRight = lastCol ? area.right - (R.showsBar ? in.vScrollWidth : 0) : right;
                    hBar = RECT{left, area.bottom - in.hScrollHeight, barRight, area.bottom};
                    cell.bottom = hBar.top;
                }
            }
            if (lastCol) {
                cell.right = area.right;
                if (R.showsBar) {
                    vBar = RECT{area.right - in.vScrollWidth, top, area.right, cell.bottom};
                    cell.right = vBar.left;
                }
            }
            add(Intersection, cell, r, c);

            if (!lastCol && colsSplit) {
                if (!lastRow && rowsSplit)
                    add(SplitterIntersection, RECT{cell.right, cell.bottom, cell.right + split, cell.bottom + split}, r,
                        c);
                add(ColSplitterBar, RECT{cell.right, cell.top, cell.right + split, lastRow ? area.bottom : cell.bottom},
                    -1, c);
            }
            if (!lastRow && rowsSplit)
                add(RowSplitterBar, RECT{cell.left, cell.bottom, lastCol ? area.right : cell.right, cell.bottom + split},
                    r, -1);
            if (lastRow) {
                if (c == firstCol && in.canAddCol && C.showsBar) {
                    add(ColSplitBox, RECT{hBar.left, hBar.top, hBar.left + SplitBoxLength, hBar.bottom}, -1, -1);
                    hBar.left += SplitBoxLength;
                }
                if (C.showsBar) {
                    add(ColScrollBar, hBar, -1, c);
                    out.colBars[static_cast<size_t>(c)] = hBar;
                }
            }
            if (lastCol) {
                if (r == firstRow && in.canAddRow && R.showsBar) {
                    add(RowSplitBox, RECT{vBar.left, vBar.top, vBar.right, vBar.top + SplitBoxLength}, -1, -1);
                    vBar.top += SplitBoxLength;
                }
                if (R.showsBar) {
                    add(RowScrollBar, vBar, r, -1);
                    out.rowBars[static_cast<size_t>(r)] = vBar;
                    if (lastRow && C.showsBar)
                        add(ScrollBarIntersection,
                            RECT{area.right - in.vScrollWidth, cell.bottom, area.right, area.bottom}, r, c);
                }
            }
        }
    }
    return out;
}
