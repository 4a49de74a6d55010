// SiblingConnectors: the sibling-row connector lines of one row region in
// one column region, collected while its rows are placed from top to
// bottom. A line opens at a row that has a next sibling and closes at that
// sibling; lines still open at the region's end run on to its bottom, and
// the first row of a region picks up the lines of its ancestors (and of its
// own previous sibling) that come in from above.
#pragma once

#include <windows.h>

#include <vector>

class DisplayRow;
class HvUIElement;
class HvUIElements;

class SiblingConnectors {
public:
    // Band levels that are followed.
    static constexpr int MaxLevels = 100;

    // base: where the grid's virtual left edge lies in the intersection;
    // area: the intersection's rectangle.
    SiblingConnectors(long base, const RECT& area) : base_(base), area_(area) {}

    // A row placed from top to bottom (intersection coordinates).
    void AddRow(DisplayRow& row, long top, long bottom);
    // Places the lines as connector elements under parent, reusing those of
    // old, and appends them to out.
    void Place(HvUIElement& parent, HvUIElements* old, std::vector<HvUIElement*>& out);

private:
    struct Line {
        DisplayRow* row;
        long left;
        long right;
        long top;
        long bottom;
        bool continued;
    };
    // Opens a line in row's band column; false when the band has none.
    bool Open(DisplayRow& row, long top, bool continued);
    void Close(int level, long bottom);

    long base_;
    RECT area_;
    bool first_ = true;
    std::vector<Line> lines_;
    // Index into lines_ of the open line of each level, or -1.
    std::vector<int> open_ = std::vector<int>(MaxLevels, -1);
};
