// The data area's tiling: the regions laid out along the area, and the
// intersections, scroll bars, splitter bars, split boxes and corner squares
// placed for each pair of visible regions, table by table.
#include "DataAreaTiling.h"

#include <doctest/doctest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Expected {
    ULONG type;
    RECT rect;
};

std::string Describe(ULONG type, const RECT& r)
{
    std::ostringstream text;
    text << type << " {" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
    return text.str();
}

std::vector<std::string> Describe(const std::vector<TilePiece>& pieces)
{
    std::vector<std::string> out;
    for (const TilePiece& piece : pieces)
        out.push_back(Describe(piece.type, piece.rect));
    return out;
}

std::vector<std::string> Describe(const std::vector<Expected>& pieces)
{
    std::vector<std::string> out;
    for (const Expected& piece : pieces)
        out.push_back(Describe(piece.type, piece.rect));
    return out;
}

TilingInput Input(std::vector<TileRegion> rows, std::vector<TileRegion> cols, bool canAdd = false)
{
    TilingInput in;
    in.area = RECT{0, 0, 200, 100};
    in.rows = std::move(rows);
    in.cols = std::move(cols);
    in.canAddRow = canAdd;
    in.canAddCol = canAdd;
    in.splitterWidth = 7;
    in.vScrollWidth = 16;
    in.hScrollHeight = 16;
    return in;
}

} // namespace

TEST_CASE("the data area tiles its regions with bars, splitters and boxes")
{
    const TileRegion shown = {true, 0, 10, true};
    const TileRegion noBar = {true, 0, 10, false};
    struct Case {
        const char* name;
        TilingInput input;
        std::vector<Expected> pieces;
    };
    Case cases[] = {
        {"one pair, no region may be added",
         Input({shown}, {shown}),
         {{1000, {0, 0, 184, 84}}, {1100, {0, 84, 184, 100}}, {1400, {184, 0, 200, 84}},
          {1800, {184, 84, 200, 100}}}},
        {"one pair with split boxes",
         Input({shown}, {shown}, true),
         {{1000, {0, 0, 184, 84}}, {1300, {0, 84, 8, 100}}, {1100, {8, 84, 184, 100}}, {1600, {184, 0, 200, 8}},
          {1400, {184, 8, 200, 84}}, {1800, {184, 84, 200, 100}}}},
        {"no scroll bars: no corner square either", Input({noBar}, {noBar}), {{1000, {0, 0, 200, 100}}}},
        {"two row regions",
         Input({{true, 0, 40, true}, shown}, {shown}),
         {{1000, {0, 0, 184, 40}}, {1500, {0, 40, 200, 47}}, {1400, {184, 0, 200, 40}},
          {1000, {0, 47, 184, 84}}, {1100, {0, 84, 184, 100}}, {1400, {184, 47, 200, 84}},
          {1800, {184, 84, 200, 100}}}},
        {"a region starting outside the area gets nothing",
         Input({shown}, {{true, 0, 250, true}, shown}),
         {{1000, {0, 0, 184, 84}}, {1100, {0, 84, 184, 100}}, {1400, {184, 0, 200, 84}},
          {1800, {184, 84, 200, 100}}}},
        {"split both ways",
         Input({{true, 0, 40, true}, shown}, {{true, 0, 60, true}, shown}),
         {{1000, {0, 0, 60, 40}}, {1700, {60, 40, 67, 47}}, {1200, {60, 0, 67, 40}}, {1500, {0, 40, 60, 47}},
          {1000, {67, 0, 184, 40}}, {1500, {67, 40, 200, 47}}, {1400, {184, 0, 200, 40}},
          {1000, {0, 47, 60, 84}}, {1200, {60, 47, 67, 100}}, {1100, {0, 84, 60, 100}},
          {1000, {67, 47, 184, 84}}, {1100, {67, 84, 184, 100}}, {1400, {184, 47, 200, 84}},
          {1800, {184, 84, 200, 100}}}},
        {"a hidden region takes no room",
         Input({{false, 30, 40, true}, shown}, {shown}),
         {{1000, {0, 0, 184, 84}}, {1100, {0, 84, 184, 100}}, {1400, {184, 0, 200, 84}},
          {1800, {184, 84, 200, 100}}}},
    };
    for (Case& c : cases) {
        CAPTURE(c.name);
        TilingResult result = TileDataArea(c.input);
        CHECK(Describe(result.pieces) == Describe(c.pieces));
    }
}

TEST_CASE("each region's scroll-bar window is told where it goes, or that it is hidden")
{
    TilingInput in = Input({{true, 0, 40, true}, {true, 0, 10, false}}, {{true, 0, 10, true}}, true);
    TilingResult result = TileDataArea(in);
    REQUIRE(result.rowBars.size() == 2);
    const RECT firstRowBar = {184, 8, 200, 40};
    CHECK(EqualRect(&result.rowBars[0], &firstRowBar));
    CHECK(IsRectEmpty(&result.rowBars[1]));
    const RECT colBar = {8, 84, 200, 100}; // the last row shows no vertical bar
    CHECK(EqualRect(&result.colBars[0], &colBar));
    // The regions were laid out along the area: the last one reaches its bottom.
    CHECK(in.rows[1].start == 47);
    CHECK(in.rows[1].extent == 53);
}
